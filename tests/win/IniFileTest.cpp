#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/IniBatch.h"
#include "platform/IniFile.h"
#include "support/TempFolder.h"

TEST(IniFile, WritesReadBackInKeyOrderAndTheObjectAloneTouchesNoFile) {
    TempFolder dir;
    TIniFile ini(dir / "Main.ini");
    EXPECT_FALSE(FileExists(dir / "Main.ini"));
    EXPECT_FALSE(ini.SectionExists("Resolution"));
    ini.WriteInteger("Resolution", "Count", 12);
    ini.WriteInteger("Resolution", "Width", 6);
    ini.WriteString("Tabs", "1", "None");
    EXPECT_TRUE(ini.SectionExists("Resolution"));
    EXPECT_EQ(ini.ReadInteger("Resolution", "Width", -1), 6);
    EXPECT_EQ(ini.ReadString("Tabs", "1", ""), "None");
    EXPECT_EQ(ini.ReadSection("Resolution"), (std::vector<std::string>{"Count", "Width"}));
    EXPECT_EQ(ReadWholeFile(dir / "Main.ini"), "[Resolution]\r\nCount=12\r\nWidth=6\r\n[Tabs]\r\n1=None\r\n");
    std::string longPath(5000, 'x');
    ini.WriteString("Tabs", "2", longPath);
    EXPECT_EQ(ini.ReadString("Tabs", "2", ""), longPath) << "read whole";
    ini.DeleteKey("Tabs", "1");
    EXPECT_EQ(ini.ReadSection("Tabs"), (std::vector<std::string>{"2"}));
    ini.EraseSection("Tabs");
    EXPECT_FALSE(ini.SectionExists("Tabs"));
}

// A section read at once answers every key as the system's own lookup of that key does.
TEST(IniFile, ASectionReadAtOnceAnswersAsTheSystemsLookup) {
    TempFolder dir;
    WriteWholeFile(dir / "a.ini",
                   "[SetupTime]\r\n5=12.03.2026 10:00:00\r\n  7 =  spaced  \r\nA=\"quoted\"\r\nB='single'\r\n"
                   "C=\"half\r\n5=second of 5\r\nnoequals\r\nE=\r\nLower=x\r\n[Other]\r\n9=elsewhere\r\n");
    TIniFile ini(dir / "a.ini");
    IniSectionValues values(ini, "SETUPTIME");
    for (const char* key : {"5", "7", "a", "B", "C", "noequals", "E", "LOWER", "9", "missing", " 5"})
        EXPECT_EQ(values.Get(key, "none"), ini.ReadString("SetupTime", key, "none")) << key;
    EXPECT_EQ(values.Get("5", "none"), "12.03.2026 10:00:00");
}

TEST(IniFile, NonNumericIntegersGiveTheFallback) {
    TempFolder dir;
    WriteWholeFile(dir / "a.ini", "[S]\r\nA=abc\r\nB=\r\nC=-4\r\n");
    TIniFile ini(dir / "a.ini");
    const std::tuple<const char*, int, int> cases[] = {{"A", -1, -1}, {"B", -1, -1}, {"C", -1, -4}, {"Missing", 3, 3}};
    for (auto [key, fallback, read] : cases)
        EXPECT_EQ(ini.ReadInteger("S", key, fallback), read) << key;
}

namespace {
// An update begun over a file of one entry.
class IniUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        WriteWholeFile(name, old);
        ini.BeginUpdate();
    }
    TempFolder dir;
    const std::string name = dir / "tab1.ini", old = "[Files]\r\n1=a\r\n";
    TIniFile ini{name};
};
}  // namespace

// What a rebuild relies on: until Commit the file on disk is the old one; Commit puts the new one
// in its place whole and keeps a copy of it as the backup; Discard leaves everything as it was.
TEST_F(IniUpdate, ReplacesTheFileWholeAndKeepsItsBackup) {
    ini.WriteString("Files", "2", "b");
    ini.WriteString("SetupTime", "2", "2009:03:15 14:05:33");
    EXPECT_EQ(ini.ReadString("Files", "2", ""), "b") << "the update reads its own writes";
    EXPECT_EQ(ReadWholeFile(name), old) << "the file on disk is untouched until Commit";
    ini.Commit();
    EXPECT_EQ(ReadWholeFile(name), "[Files]\r\n1=a\r\n2=b\r\n[SetupTime]\r\n2=2009:03:15 14:05:33\r\n")
        << "the same bytes as writes straight into the file";
    EXPECT_EQ(ReadWholeFile(ini.BackupName()), ReadWholeFile(name));
    EXPECT_FALSE(FileExists(name + ".new"));

    std::string committed = ReadWholeFile(name);
    ini.BeginUpdate();
    ini.DeleteKey("Files", "1");
    ini.Discard();
    EXPECT_EQ(ReadWholeFile(name), committed);
    EXPECT_EQ(ini.ReadString("Files", "1", ""), "a") << "reads go to the file again";
    WriteWholeFile(ini.BackupName(), "stale");
    ini.BeginUpdate();
    ini.Commit();  // nothing written: nothing replaced
    EXPECT_EQ(ReadWholeFile(name), committed);
    EXPECT_EQ(ReadWholeFile(ini.BackupName()), "stale");

    TIniFile fresh(dir / "quicketab1.ini");
    fresh.BeginUpdate();
    fresh.WriteString("Files", "1", "q");
    fresh.Commit();
    EXPECT_EQ(ReadWholeFile(dir / "quicketab1.ini"), "[Files]\r\n1=q\r\n");
    EXPECT_EQ(ReadWholeFile(fresh.BackupName()), "[Files]\r\n1=q\r\n");
}

namespace {
// A thread's procedure: a lambda is no stdcall function in the 32-bit build.
DWORD WINAPI CloseAfterAMoment(void* h) {
    Sleep(300);
    CloseHandle(static_cast<HANDLE>(h));
    return 0;
}
}  // namespace

// A reader holding the file for a moment (a scanner, say) delays the commit; it does not lose it.
TEST_F(IniUpdate, AReaderHoldingTheFileForAMomentDelaysTheCommit) {
    ini.WriteString("Files", "2", "b");
    HANDLE reader = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    HANDLE closer = CreateThread(nullptr, 0, CloseAfterAMoment, reader, 0, nullptr);
    ASSERT_NE(closer, nullptr);
    EXPECT_NO_THROW(ini.Commit());
    WaitForSingleObject(closer, INFINITE);
    CloseHandle(closer);
    EXPECT_EQ(ReadWholeFile(name), "[Files]\r\n1=a\r\n2=b\r\n");
}

TEST_F(IniUpdate, ABeginOverAnUnfinishedUpdateDropsItsWrites) {
    ini.WriteString("Files", "2", "dropped");
    ini.BeginUpdate();
    ini.WriteString("Files", "3", "c");
    ini.Commit();
    EXPECT_EQ(ReadWholeFile(name), "[Files]\r\n1=a\r\n3=c\r\n");
    TIniFile(name).BeginUpdate();  // an update whose object ends is discarded
    EXPECT_FALSE(FileExists(name + ".new"));
}

TEST_F(IniUpdate, AWorkingCopyCutShortIsNotCommitted) {
    // What a full disk leaves: the copy ends inside its last line.
    ASSERT_EQ(ReadWholeFile(name + ".new"), old);
    WriteWholeFile(name + ".new", old + "1512=c:");
    EXPECT_THROW(ini.Commit(), Error);
    EXPECT_EQ(ReadWholeFile(name), old) << "the previous file stays in place";
    EXPECT_FALSE(FileExists(name + ".new"));
    EXPECT_FALSE(ini.Updating());
}

// An update holds its writes and writes each section once at Commit; the file must come out byte
// for byte as the writes made one by one straight into the file make it, and read the same meanwhile.
TEST(IniFile, AnUpdateWritesTheSameBytesAsTheWritesOneByOne) {
    struct Op {
        const char* section;
        std::string key;
        const char* value;  // null deletes
    };
    std::vector<Op> firstFill;  // slots in block order, kinds mixed, no stamps
    for (int i = 1; i <= 40; ++i)
        firstFill.push_back({i % 7 == 0 ? "GoodFolders" : i % 5 == 0 ? "Folders" : "Files", std::to_string(i * 3 % 41),
                             "c:\\start menu\\programs\\p.lnk"});
    const std::string kept = "[Files]\r\n1=c:\\a.lnk\r\n2=c:\\b.lnk\r\n3=c:\\c.lnk\r\n[Folders]\r\n4=c:\\f\r\n"
                             "[SetupTime]\r\n1=01.02.2026 10:00:00\r\n3=01.02.2026 10:00:00\r\n";
    struct Case {
        const char* name;
        std::string before;
        std::vector<Op> ops;
    } cases[] = {
        {"first fill", "", firstFill},
        {"reconciliation", kept,
         {{"Files", "2", nullptr}, {"SetupTime", "2", nullptr}, {"Files", "3", nullptr}, {"SetupTime", "3", nullptr},
          {"Files", "2", "c:\\new.lnk"}, {"SetupTime", "2", "08.12.2026 03:00:00"}, {"Files", "5", "c:\\e.lnk"},
          {"GoodFolders", "6", "c:\\g"}, {"SetupTime", "6", "08.12.2026 03:00:00"}, {"FILES", "1", "c:\\a.lnk"},
          {"Folders", "4", nullptr}, {"Unknown", "1", nullptr}}},
        {"a section emptied and one made and emptied", kept,
         {{"Folders", "4", nullptr}, {"Extra", "1", "x"}, {"Extra", "1", nullptr}, {"Files", "9", "y"}}},
        {"lines the system rewrites", "[Files]\r\n 1 = c:\\a.lnk \r\n;note\r\n1=twice\r\n[SetupTime]\r\n",
         {{"Files", "2", "c:\\b.lnk"}, {"Files", "1", "c:\\z.lnk"}, {"SetupTime", "2", "now"}, {"Files", "3", " spaced "}}},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        WriteWholeFile(dir / "one.ini", c.before);
        WriteWholeFile(dir / "held.ini", c.before);
        TIniFile one(dir / "one.ini"), held(dir / "held.ini");
        held.BeginUpdate();
        for (const Op& op : c.ops) {
            if (op.value) {
                one.WriteString(op.section, op.key, op.value);
                held.WriteString(op.section, op.key, op.value);
            } else {
                one.DeleteKey(op.section, op.key);
                held.DeleteKey(op.section, op.key);
            }
        }
        for (const char* section : {"Files", "Folders", "GoodFolders", "SetupTime", "Extra"}) {
            EXPECT_EQ(held.ReadSectionLines(section), one.ReadSectionLines(section)) << c.name << " " << section;
            EXPECT_EQ(held.SectionExists(section), one.SectionExists(section)) << c.name << " " << section;
            for (const char* key : {"1", "2", "3", "5", "9"})
                EXPECT_EQ(held.ReadString(section, key, "-"), one.ReadString(section, key, "-")) << c.name;
        }
        EXPECT_EQ(ReadWholeFile(dir / "held.ini"), c.before) << c.name << ": nothing written before Commit";
        held.Commit();
        EXPECT_EQ(ReadWholeFile(dir / "held.ini"), ReadWholeFile(dir / "one.ini")) << c.name;
    }
}

// The system answers a buffer too small with what fits, size - 2 characters: read again, larger.
TEST(IniFile, AProfileAnswerThatFillsTheBufferIsReadAgainLarger) {
    const std::string answer(101, 'k');
    auto read = [&](char* b, unsigned long size) {
        unsigned long n = std::min<unsigned long>(static_cast<unsigned long>(answer.size()), size - 2);
        std::memcpy(b, answer.data(), n);
        b[n] = b[n + 1] = '\0';
        return n;
    };
    for (size_t start : {8u, 102u, 103u, 104u}) EXPECT_EQ(ReadProfileAnswer(start, read).data(), answer) << start;
}

TEST(Files, ForceDirectoriesCreatesParentsAndFailsUnderAFile) {
    TempFolder dir;
    EXPECT_TRUE(ForceDirectories(dir / "a\\b\\c"));
    EXPECT_TRUE(DirectoryExists(dir / "a\\b\\c"));
    WriteWholeFile(dir / "blocker", "x");
    EXPECT_FALSE(ForceDirectories(dir / "blocker"));
    EXPECT_FALSE(ForceDirectories(dir / "blocker\\sub"));
}
