#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ProgramFolder.h"
#include "platform/Error.h"
#include "platform/Guarded.h"
#include "platform/Log.h"
#include "support/TempFolder.h"

namespace {

// Points the log at a temp folder for one test and puts the old folder back.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ProgramFolder;
        ProgramFolder = folder_.Path() + "\\";
    }
    void TearDown() override { ProgramFolder = saved_; }
    std::string Log() const { return ReadWholeFile(folder_ / "log.txt"); }

    TempFolder folder_;
    std::string saved_;
};

// Lines of the log, each checked to end in CR LF.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

// The stamp ends with a blank and three digits; the message follows at once.
std::string MessageOf(const std::string& line) {
    for (size_t i = line.size(); i-- > 0;) {
        if (line[i] == ' ' && i + 4 <= line.size() && isdigit(line[i + 1]) && isdigit(line[i + 2]) &&
            isdigit(line[i + 3]))
            return line.substr(i + 4);
    }
    ADD_FAILURE() << "no stamp in " << line;
    return line;
}

}  // namespace

// Each line: the user's short date and time, milliseconds, then the message; appended to what is there.
TEST_F(LogTest, LinesAreAppendedAfterTheUsersDateTimeAndMilliseconds) {
    WriteWholeFile(folder_ / "log.txt", "earlier run\r\n");
    SYSTEMTIME st;
    GetLocalTime(&st);
    char date[64];
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    WriteLog("first");
    WriteLog("");
    auto lines = Lines(Log());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "earlier run");
    EXPECT_EQ(lines[1].rfind(date, 0), 0u) << lines[1];
    EXPECT_EQ(MessageOf(lines[1]), "first");
    EXPECT_EQ(MessageOf(lines[2]), "") << "an empty message leaves the stamp alone";
}

// A body's Error is logged as the operation's name and its message and the call returns; any
// other kind travels on.
TEST_F(LogTest, GuardedWritesNamePlusMessageAndReturns) {
    bool after = false;
    Guarded("FormCreate", [] { throw Error("Create folder error!"); });
    Guarded("SortItems", [] { throw Error(""); });
    Guarded("Fine", [&] { after = true; });
    EXPECT_THROW(Guarded("X", [] { throw 42; }), int);
    auto lines = Lines(Log());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(MessageOf(lines[0]), "FormCreateCreate folder error!");
    EXPECT_EQ(MessageOf(lines[1]), "SortItems");
    EXPECT_TRUE(after);
}

std::string g_shown;
int g_shownCount = 0;
void RecordShown(const std::exception& e) {
    g_shown = e.what();
    ++g_shownCount;
}

TEST_F(LogTest, UnwritableLogIsShownToTheUserOnceAndTheProgramGoesOn) {
    ProgramFolder = folder_ / "missing" + "\\";
    EXPECT_THROW(WriteLog("x"), InOutError);
    SetLogFallbackFolder(folder_ / "missing too");
    EXPECT_THROW(WriteLog("x"), InOutError) << "neither place takes it";
    SetLogFailureDisplay(RecordShown);
    g_shownCount = 0;
    bool completed = true, after = false;
    EXPECT_NO_THROW(completed = Guarded("FormCreate", [] { throw Error("boom"); }));
    after = true;
    Guarded("SortItems", [] { throw Error("again"); });
    WriteLogOrShow("and again");
    SetLogFailureDisplay(nullptr);
    SetLogFallbackFolder("");
    EXPECT_FALSE(completed);
    EXPECT_TRUE(after);
    EXPECT_EQ(g_shownCount, 1) << "one box, not one for every line";
    EXPECT_EQ(g_shown.rfind("I/O error ", 0), 0u) << g_shown;
    EXPECT_TRUE(Guarded("X", [] {})) << "a body that ends needs no log";
}

TEST_F(LogTest, AProgramFolderThatRefusesTheLineSendsItAndTheNextOnesToTheDataFolder) {
    std::string program = folder_ / "Program Files", data = folder_ / "Kestrola";
    ASSERT_TRUE(CreateDirectoryA(program.c_str(), nullptr) && CreateDirectoryA(data.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((program + "\\log.txt").c_str(), nullptr)) << "a log that cannot be opened";
    ProgramFolder = program + "\\";
    SetLogFallbackFolder(data);
    WriteLog("first");
    // The program folder would take lines again; the run's lines stay in one file.
    RemoveDirectoryA((program + "\\log.txt").c_str());
    WriteLog("second");
    SetLogFallbackFolder(folder_ / "gone");
    WriteLog("third");
    SetLogFallbackFolder("");
    auto lines = Lines(ReadWholeFile(data + "\\log.txt"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(MessageOf(lines[0]), "first");
    EXPECT_EQ(MessageOf(lines[1]), "second");
    lines = Lines(ReadWholeFile(program + "\\log.txt"));
    ASSERT_EQ(lines.size(), 1u) << "back beside the program once the data folder refuses";
    EXPECT_EQ(MessageOf(lines[0]), "third");
}

TEST_F(LogTest, WithoutProgramFolderTheLogIsInTheCurrentFolder) {
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    ProgramFolder.clear();
    SetCurrentDirectoryA(folder_.Path().c_str());
    WriteLog("here");
    SetCurrentDirectoryA(cwd);
    EXPECT_NE(Log().find("here\r\n"), std::string::npos);
}
