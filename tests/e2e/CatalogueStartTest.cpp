// A first start over a populated Start Menu writes the catalogue and layout files.
#include <gtest/gtest.h>
#include <shlobj.h>

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
