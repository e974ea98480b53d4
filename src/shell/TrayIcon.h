// The program's one icon in the taskbar's notification area, its balloon and its menu.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Handle.h"

// Clicks on the icon arrive at the window as this message, the mouse message in lParam.
constexpr UINT TrayCallbackMessage = WM_USER + 20;

class TTrayIcon {
public:
    TTrayIcon() = default;
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Loads the menu from the resources once and gives its entries their captions.
    void Translate();
    // Icon id 1 of the window, tip "Kestrola". The icon comes from "MAINICON" at 16 x 16 on XP
    // and later, else from "MAINICON16". Also after the shell made its notification area anew.
    void Add(HWND window, bool xpOrLater);
    void Remove();
    // Does nothing before Windows 2000. Text is cut at 255 characters, title at 63.
    void ShowBalloon(const std::string& title, const std::string& text, DWORD flags, bool win2000OrLater);
    // The left button shows the panel; the right one pops the menu up, whose choice reaches the
    // window as WM_COMMAND.
    void Trayiconnotify(LPARAM mouseEvent, const std::function<void()>& showPanel);
    // The menu that pops up, or null before Translate.
    HMENU Popup() const { return TrayPopupMenu ? GetSubMenu(TrayPopupMenu.Get(), 0) : nullptr; }

private:
    UniqueMenu TrayPopupMenu;  // the resource menu; its first submenu is the one shown
    HWND window_ = nullptr;
};
