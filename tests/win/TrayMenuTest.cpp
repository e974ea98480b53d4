// The tray menu and the notification-area record as the program builds them.
#include <gtest/gtest.h>

#include "resources/ResourceIds.h"
#include "platform/UiTexts.h"
#include "shell/TrayIcon.h"

TEST(TrayMenu, TranslateGivesEveryEntryItsEnglishCaptionInOrder) {
    TTrayIcon tray;
    tray.Translate();
    HMENU popup = tray.Popup();
    ASSERT_TRUE(popup);
    std::vector<std::string> entries;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char text[128] = {};
        GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        entries.push_back(text);
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"Show list of programs", "Settings...", "", "Mail to Support",
                                                  "About...", "", "Exit"}));
    EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), static_cast<UINT>(IDM_SHOWMENU)) << "drawn bold";
    // The texts of the user interface, with the balloon's title and text.
    EXPECT_EQ(UiTexts.FolderError, "Create folder error!");
    EXPECT_EQ(UiTexts.ScreenSizeError, "Error setting screen size!");
    EXPECT_EQ(UiTexts.NewProgramTitle, "New Program");
    EXPECT_EQ(UiTexts.IconHint, "Click icon to show list of programs. Right-click for menu.");
}

TEST(TrayMenu, IconResourcesHoldEveryImage) {
    HMODULE self = GetModuleHandleA(nullptr);
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageA(self, "MAINICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm = {};
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_NE(LoadImageA(self, "MAINICON16", IMAGE_ICON, 16, 16, LR_SHARED), nullptr);
}
