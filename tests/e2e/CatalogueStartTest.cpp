// A first start over a populated Start Menu writes the catalogue and layout files.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <map>
#include <random>
#include <sstream>

#include "platform/Files.h"
#include "platform/Text.h"
#include "support/Program.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

class FirstStart : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ForgetEverything();
        common = AnsiLowerFileName(SpecialFolder(CSIDL_COMMON_PROGRAMS));
        user = AnsiLowerFileName(SpecialFolder(CSIDL_PROGRAMS));
        commonMenu = AnsiLowerFileName(SpecialFolder(CSIDL_COMMON_STARTMENU));
        bin = targets.Path();
        ASSERT_TRUE(MakeShortcut(common + "\\Archiver\\Archiver.lnk", bin + "\\arc.exe"));
        ASSERT_TRUE(MakeShortcut(common + "\\Editor.lnk", bin + "\\editor.exe"));
        ASSERT_TRUE(MakeShortcut(user + "\\Notes.lnk", bin + "\\notes.exe"));
        ASSERT_TRUE(MakeShortcut(commonMenu + "\\Quick.lnk", bin + "\\quick.exe"));
    }
    void TearDown() override {
        RemoveTree(common + "\\Archiver");
        for (std::string f : {common + "\\Editor.lnk", user + "\\Notes.lnk", commonMenu + "\\Quick.lnk"})
            DeleteFileA(f.c_str());
        ForgetEverything();
        CoUninitialize();
    }
    TempFolder targets;
    std::string common, user, commonMenu, bin;
};

}  // namespace

TEST_F(FirstStart, WritesCatalogueAndLayoutFilesAndSizesThePanel) {
    // The prefix's own (empty) Administrative Tools folder lies in both Programs folders.
    ASSERT_TRUE(DirectoryExists(user + "\\Administrative Tools"));
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    int cw = GetSystemMetrics(SM_CXICONSPACING), ch = GetSystemMetrics(SM_CYICONSPACING);
    int width = 7 + 3 * cw + 6, height = 7 + 3 * ch + ch + 30 + 7;
    RECT r{};
    EXPECT_TRUE(WaitUntil([&] {
        GetWindowRect(w, &r);
        return r.right - r.left == width && r.bottom - r.top == height;
    })) << r.right - r.left << " x " << r.bottom - r.top;

    std::string data = AppDataFolder() + "\\Kestrola\\";
    EXPECT_EQ(ReadWholeFile(data + "tab1.ini"),
              "[Folders]\r\n1=" + user + "\\Administrative Tools\r\n"
              "[GoodFolders]\r\n2=" + common + "\\Archiver\r\n"
              "[Files]\r\n3=" + common + "\\Editor.lnk\r\n4=" + user + "\\Notes.lnk\r\n");
    EXPECT_EQ(ReadWholeFile(data + "quicketab1.ini"), "[Files]\r\n1=" + commonMenu + "\\Quick.lnk\r\n");
    EXPECT_EQ(ReadWholeFile(data + "Main.ini"),
              "[Resolution]\r\nCount=4\r\nWidth=3\r\nHeight=3\r\nquickeCount=1\r\nquickeHeight=1\r\n"
              "[Tabs]\r\n1=None\r\n");
}

namespace {

// What a catalogue file holds: slot of each path, stamp of each slot.
struct Catalogue {
    std::map<std::string, std::string> slots, stamps;
};

Catalogue Parse(const std::string& text) {
    Catalogue c;
    std::istringstream lines(text);
    std::string line, section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find('=');
        if (!line.empty() && line[0] == '[')
            section = line;
        else if (eq != std::string::npos && section == "[SetupTime]")
            c.stamps[line.substr(0, eq)] = line.substr(eq + 1);
        else if (eq != std::string::npos)
            c.slots[line.substr(eq + 1)] = line.substr(0, eq);
    }
    return c;
}

// A Start Menu of a few hundred entries; the program is killed at random points of its first fill
// and of its rebuilds, as a crash, a log-off or a power cut would end it.
class Killed : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetEverything();
        common = AnsiLowerFileName(SpecialFolder(CSIDL_COMMON_PROGRAMS));
        for (int i = 0; i < kEntries; ++i) Make("Entry " + std::to_string(1000 + i) + ".txt");
    }
    void TearDown() override {
        for (const std::string& f : made) DeleteFileA(f.c_str());
        ForgetEverything();
    }
    void Make(const std::string& name) {
        made.push_back(common + "\\" + name);
        WriteWholeFile(made.back(), "");
    }
    // Starts the program and kills it at a random point after it began to write the catalogue
    // (any file of its name written since the start); the catalogue as it was left.
    Catalogue StartAndKill(std::mt19937& random) {
        FILETIME start;
        GetSystemTimeAsFileTime(&start);
        Program kestrola;
        EXPECT_TRUE(WaitUntil([&] { return WrittenSince(start); }, 30000)) << "the rebuild never wrote";
        Sleep(std::uniform_int_distribution<DWORD>(0, 400)(random));
        kestrola.Kill();
        return Parse(ReadWholeFile(Tab()));
    }
    static bool WrittenSince(const FILETIME& start) {
        WIN32_FIND_DATAA fd;
        HANDLE find = FindFirstFileA((Tab() + "*").c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE) return false;
        bool written = false;
        do written = written || CompareFileTime(&fd.ftLastWriteTime, &start) > 0;
        while (FindNextFileA(find, &fd));
        FindClose(find);
        return written;
    }
    // Starts the program and lets it run until its catalogue holds what done asks for.
    Catalogue StartUntil(const std::function<bool(const Catalogue&)>& done) {
        Program kestrola;
        EXPECT_TRUE(WaitUntil([&] { return done(Parse(ReadWholeFile(Tab()))); }, 60000));
        return Parse(ReadWholeFile(Tab()));
    }
    static std::string Tab() { return AppDataFolder() + "\\Kestrola\\tab1.ini"; }

    static constexpr int kEntries = 300;
    std::string common;
    std::vector<std::string> made;
};

}  // namespace

TEST_F(Killed, AKillAtAnyPointLeavesTheOldOrTheNewCatalogueWhole) {
    std::mt19937 random(20261208);
    // The prefix's own Administrative Tools folder is an entry too.
    const size_t all = kEntries + 1;
    const std::string data = AppDataFolder() + "\\Kestrola\\";
    for (int kill = 0; kill < 8; ++kill) {
        for (const char* f : {"tab1.ini", "tab1.ini.bak", "quicketab1.ini", "quicketab1.ini.bak"})
            DeleteFileA((data + f).c_str());  // a first fill every time
        Catalogue left = StartAndKill(random);
        EXPECT_TRUE(left.slots.empty() || left.slots.size() == all) << "kill " << kill << ": " << left.slots.size();
        EXPECT_TRUE(left.stamps.empty()) << "nothing of a first fill is new";
    }
    Catalogue known = StartUntil([&](const Catalogue& c) { return c.slots.size() == all; });
    ASSERT_TRUE(known.stamps.empty());

    // Before each start one program goes and one comes: each kill leaves the catalogue as it was
    // or the new one whole, in which nothing known moved or lost or changed its stamp.
    auto check = [&](const Catalogue& left, int added) {
        ASSERT_EQ(left.slots.size(), all) << "a catalogue cut short";
        for (const auto& entry : left.slots) {
            auto old = known.slots.find(entry.first);
            bool isNew = old == known.slots.end();
            if (!isNew) {
                EXPECT_EQ(entry.second, old->second) << entry.first << " moved";
                EXPECT_EQ(left.stamps.count(entry.second), known.stamps.count(old->second)) << entry.first;
                if (known.stamps.count(old->second)) {
                    EXPECT_EQ(left.stamps.at(entry.second), known.stamps.at(old->second)) << entry.first;
                }
            } else {
                EXPECT_NE(entry.first.find("\\Added "), std::string::npos) << entry.first;
                EXPECT_EQ(left.stamps.count(entry.second), 1u) << entry.first << " is new";
            }
        }
        EXPECT_EQ(left.stamps.size(), static_cast<size_t>(added));
    };
    int added = 0;
    for (int kill = 0; kill < 8; ++kill) {
        SCOPED_TRACE(kill);
        DeleteFileA(made[static_cast<size_t>(kill)].c_str());
        Make("Added " + std::to_string(100 + kill) + ".txt");
        ++added;
        Catalogue left = StartAndKill(random);
        if (left.slots == known.slots && left.stamps == known.stamps) continue;  // killed before its end
        check(left, added);
        known = left;
    }
    Catalogue last = StartUntil([&](const Catalogue& c) { return c.stamps.size() == static_cast<size_t>(added); });
    check(last, added);
}
