// A first start over a populated Start Menu writes the catalogue and layout files.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <map>
#include <random>

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
    std::string section;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            section = line;
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (section == "[SetupTime]")
            c.stamps[line.substr(0, eq)] = line.substr(eq + 1);
        else
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
    // Starts the program and kills it after a random time; the catalogue as it was left.
    Catalogue StartAndKill(std::mt19937& random) {
        Program kestrola;
        Sleep(std::uniform_int_distribution<DWORD>(100, 2500)(random));
        kestrola.Kill();
        return Parse(ReadWholeFile(Tab()));
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
    for (int kill = 0; kill < 5; ++kill) {
        Catalogue left = StartAndKill(random);
        EXPECT_TRUE(left.slots.empty() || left.slots.size() == all) << "kill " << kill << ": " << left.slots.size();
        EXPECT_TRUE(left.stamps.empty()) << "nothing of a first fill is new";
    }
    Catalogue before = StartUntil([&](const Catalogue& c) { return c.slots.size() == all; });
    ASSERT_TRUE(before.stamps.empty());

    // Twenty programs removed, twenty added: each kill leaves the old catalogue or the new one.
    for (int i = 0; i < 20; ++i) {
        DeleteFileA(made[static_cast<size_t>(i)].c_str());
        Make("Added " + std::to_string(100 + i) + ".txt");
    }
    Catalogue after;  // the first complete reconciliation seen
    for (int kill = 0; kill < 5; ++kill) {
        Catalogue left = StartAndKill(random);
        SCOPED_TRACE(kill);
        if (left.slots == before.slots) {
            EXPECT_TRUE(left.stamps.empty());
            continue;
        }
        ASSERT_EQ(left.slots.size(), all) << "a catalogue cut short";
        for (const auto& entry : left.slots) {
            bool added = entry.first.find("\\added ") != std::string::npos ||
                         entry.first.find("\\Added ") != std::string::npos;
            if (!added) {
                EXPECT_EQ(entry.second, before.slots[entry.first]) << entry.first << " moved";
            }
            EXPECT_EQ(left.stamps.count(entry.second) == 1, added) << entry.first;
        }
        if (after.slots.empty()) after = left;
        EXPECT_EQ(left.slots, after.slots) << "slots stay once written";
        EXPECT_EQ(left.stamps, after.stamps) << "stamps stay once written";
    }
    Catalogue last = StartUntil([](const Catalogue& c) { return c.stamps.size() == 20; });
    EXPECT_EQ(last.slots.size(), all);
    if (!after.slots.empty()) {
        EXPECT_EQ(last.slots, after.slots);
        EXPECT_EQ(last.stamps, after.stamps);
    }
}
