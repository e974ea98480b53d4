// The program's one icon in the taskbar's notification area, its balloon and its menu.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "platform/Handle.h"
#include "platform/WindowTimer.h"

// Clicks on the icon arrive at the window as this message, the mouse message in lParam.
constexpr UINT TrayCallbackMessage = WM_USER + 20;

// The shell's call, or a stand-in of the tests that refuses as a shell not yet there does.
using NotifyIconCall = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);

class TTrayIcon {
public:
    explicit TTrayIcon(NotifyIconCall notify = Shell_NotifyIconA) : notify_(notify) {}
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Loads the menu from the resources once and gives its entries their captions.
    void Translate();
    // Icon id 1 of the window, tip "Kestrola". The icon comes from "MAINICON" at 16 x 16 on XP
    // and later, else from "MAINICON16". Also after the shell made its notification area anew.
    // A shell that does not take it is asked again on TrayRetryDelay's schedule; the last refusal
    // is logged once under "AddTrayIcon".
    void Add(HWND window, bool xpOrLater);
    void Remove();
    // The window forwards its timers; the retry's is the icon's own.
    void OnTimer(UINT_PTR id);
    // Whether the shell holds the icon.
    bool Shown() const { return shown_; }
    // Does nothing before Windows 2000. Text is cut at 255 characters, title at 63. Given before
    // the shell took the icon, it is shown when the shell does.
    void ShowBalloon(const std::string& title, const std::string& text, DWORD flags, bool win2000OrLater);
    // The first run's balloon, which tells what the icon does.
    void ShowWelcome(bool win2000OrLater);
    // The left button shows the panel; the right one pops the menu up, whose choice reaches the
    // window as WM_COMMAND.
    void Trayiconnotify(LPARAM mouseEvent, const std::function<void()>& showPanel);
    // The menu that pops up, or null before Translate.
    HMENU Popup() const { return TrayPopupMenu ? GetSubMenu(TrayPopupMenu.Get(), 0) : nullptr; }

private:
    bool TryAdd();
    void Retry();

    NotifyIconCall notify_;
    UniqueMenu TrayPopupMenu;  // the resource menu; its first submenu is the one shown
    HWND window_ = nullptr;
    bool xpOrLater_ = false;
    bool shown_ = false;
    unsigned failedTries_ = 0;
    WindowTimer RetryTimer{6, 1000};  // the next try of an icon the shell did not take
    struct Balloon {
        std::string title, text;
        DWORD flags = 0;
        bool pending = false;
    } balloon_;
};
