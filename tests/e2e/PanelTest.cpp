// The painted panel on screen, over a Start Menu of real programs.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <memory>

#include "platform/Files.h"
#include "platform/Gdi.h"
#include "platform/Text.h"
#include "support/Input.h"
#include "support/Program.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

class PaintedPanel : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ForgetEverything();
        std::string sys = SpecialFolder(CSIDL_SYSTEM), win = SpecialFolder(CSIDL_WINDOWS);
        common = SpecialFolder(CSIDL_COMMON_PROGRAMS);
        user = SpecialFolder(CSIDL_PROGRAMS);
        quick = SpecialFolder(CSIDL_STARTMENU);
        made = {common + "\\Notepad.lnk", common + "\\Calculator.lnk", user + "\\Registry Editor.lnk",
                common + "\\Wordpad.lnk", user + "\\Minesweeper.lnk", common + "\\Console.lnk",
                common + "\\Task Manager.lnk", user + "\\Explorer.lnk", common + "\\Control Panel.lnk",
                common + "\\Games\\Solitaire.lnk", common + "\\Games\\Hearts.lnk", user + "\\Paint\\Paint.lnk",
                quick + "\\Internet.lnk", quick + "\\Help.lnk"};
        const char* targets[] = {"notepad.exe", "calc.exe", "regedit.exe", "wordpad.exe", "winemine.exe",
                                 "cmd.exe", "taskmgr.exe", "explorer.exe", "control.exe", "sol.exe",
                                 "winemine.exe", "mspaint.exe", "iexplore.exe", "winhlp32.exe"};
        for (size_t i = 0; i < made.size(); ++i) {
            std::string t = sys + "\\" + targets[i];
            if (!FileExists(t)) t = win + "\\" + targets[i];
            ASSERT_TRUE(MakeShortcut(made[i], t, "", "", false)) << made[i];
        }
    }
    void TearDown() override {
        for (const std::string& f : made) DeleteFileA(f.c_str());
        RemoveDirectoryA((common + "\\Games").c_str());
        RemoveDirectoryA((user + "\\Paint").c_str());
        ForgetEverything();
        CoUninitialize();
    }
    std::string common, user, quick;
    std::vector<std::string> made;
};

}  // namespace

// A black caption colour: the border ramp is black at the edge, then L* + 26, 16, 10, 6, 5 of
// black, grey levels 64, 44, 33, 26 and 24.
TEST_F(PaintedPanel, ShowsHeaderBorderAndEntries) {
    int index = COLOR_ACTIVECAPTION;
    COLORREF was = GetSysColor(index), black = RGB(0, 0, 0);
    ASSERT_TRUE(SetSysColors(1, &index, &black));
    struct Restore {
        int index;
        COLORREF colour;
        ~Restore() { SetSysColors(1, &index, &colour); }
    } restore{index, was};
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    PostToAll("KestrolaShowOldInstanceMenu");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }));
    RECT r = ScreenRect(w);
    bool themed = VisualStylesActive();
    const int grey[6] = {0, 64, 44, 33, 26, 24};
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(r.left + 1, r.top + 60) == RGB(64, 64, 64); }))
        << std::hex << ScreenPixel(r.left + 1, r.top + 60);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(ScreenPixel(r.left + k, r.top + 60), RGB(grey[k], grey[k], grey[k])) << "column " << k;
    // The frame reaches the screen where it was painted: the ramp starts right under the header.
    EXPECT_EQ(ScreenPixel(r.left + 1, r.top + 30), RGB(64, 64, 64));
    EXPECT_NE(ScreenPixel(r.left + 1, r.top + 29), RGB(64, 64, 64)) << "the header's last row";
    if (!themed) {
        EXPECT_EQ(ScreenPixel(r.left, r.top), black) << "header gradient";
    }
    // The first cell of the quick area is filled with the entry background.
    EXPECT_EQ(ScreenPixel(r.left + 8, r.top + 36), GetSysColor(themed ? COLOR_WINDOW : COLOR_BTNFACE));
    if (const char* hold = std::getenv("KESTROLA_HOLD_MS")) Sleep(static_cast<DWORD>(atoi(hold)));
}

// Started at 144 DPI, the panel's client is the layout's figures times 1.5, halves rounded up:
// 11 entries on a grid of 6 x 3 cells and 2 in one quick row; Wine's icon spacing is 113.
TEST_F(PaintedPanel, At144DpiTheClientIsTheFiguresTimesOneAndAHalf) {
    auto times15 = [](int figure) { return (3 * figure + 1) / 2; };
    const int cell = times15(75), gap = times15(7), margin = times15(6), header = times15(30);
    std::unique_ptr<Program> kestrola;
    HWND w = nullptr;
    {
        NewProcessDpi at144(144);
        kestrola = std::make_unique<Program>();
        w = kestrola->WaitForMainWindow();
    }
    ASSERT_NE(w, nullptr);
    PostToAll("KestrolaShowOldInstanceMenu");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }));
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 2 * gap + 6 * cell + margin);
    EXPECT_EQ(client.bottom, gap + 3 * cell + cell + header + gap);
    if (const char* hold = std::getenv("KESTROLA_HOLD_MS")) Sleep(static_cast<DWORD>(atoi(hold)));
}
