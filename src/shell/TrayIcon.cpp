#include "shell/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

#include "platform/Error.h"
#include "platform/Guarded.h"
#include "platform/UiTexts.h"
#include "resources/ResourceIds.h"
#include "shell/TrayRetry.h"

namespace {
// The basic record (64-character tip) and the one with balloon fields.
constexpr DWORD kBasicSize = NOTIFYICONDATAA_V1_SIZE;
constexpr DWORD kBalloonSize = NOTIFYICONDATAA_V2_SIZE;
#ifndef _WIN64
static_assert(kBasicSize == 88 && kBalloonSize == 488, "the system's record sizes");
#endif

void CopyCut(char* to, size_t room, const std::string& from) {
    size_t n = from.size() < room - 1 ? from.size() : room - 1;
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

void SetCaption(HMENU menu, UINT id, const std::string& text) {
    if (menu) ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}
}  // namespace

void TTrayIcon::Add(HWND window, bool xpOrLater) {
    window_ = window;
    xpOrLater_ = xpOrLater;
    RetryTimer.Attach(window);
    RetryTimer.Stop();
    failedTries_ = 0;
    shown_ = false;
    Retry();
}

bool TTrayIcon::TryAdd() {
    HINSTANCE module = GetModuleHandleA(nullptr);
    NOTIFYICONDATAA data = {};
    data.cbSize = kBasicSize;
    data.hWnd = window_;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TrayCallbackMessage;
    // The small icon's size follows the DPI: 16 at 96, 24 at 144.
    data.hIcon = static_cast<HICON>(LoadImageA(module, xpOrLater_ ? "MAINICON" : "MAINICON16", IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    CopyCut(data.szTip, 64, "Kestrola");
    // A busy shell may time out after it took the icon; then the icon is there to be modified.
    bool taken = notify_(NIM_ADD, &data) || notify_(NIM_MODIFY, &data);
    if (data.hIcon) DestroyIcon(data.hIcon);  // the shell keeps its own copy
    return taken;
}

void TTrayIcon::Retry() {
    Guarded("AddTrayIcon", [&] {
        RetryTimer.Stop();
        if (TryAdd()) {
            shown_ = true;
            if (balloon_.pending) ShowBalloon(balloon_.title, balloon_.text, balloon_.flags, true);
            return;
        }
        unsigned wait = TrayRetryDelay(++failedTries_);
        if (wait == 0)
            throw Error("The notification area did not take the icon in " + std::to_string(failedTries_) + " tries");
        RetryTimer.SetInterval(wait);
        RetryTimer.Start();
    });
}

void TTrayIcon::OnTimer(UINT_PTR id) {
    // A tick queued before the timer stopped is no reason to try.
    if (id == RetryTimer.Id() && RetryTimer.Enabled()) Retry();
}

void TTrayIcon::Remove() {
    RetryTimer.Stop();
    if (!shown_) return;
    NOTIFYICONDATAA data = {};
    data.cbSize = kBasicSize;
    data.hWnd = window_;
    data.uID = 1;
    notify_(NIM_DELETE, &data);
    shown_ = false;
}

void TTrayIcon::ShowBalloon(const std::string& title, const std::string& text, DWORD flags, bool win2000OrLater) {
    if (!win2000OrLater) return;
    balloon_ = {title, text, flags, !shown_};
    if (!shown_) return;
    NOTIFYICONDATAA data = {};
    data.cbSize = kBalloonSize;
    data.hWnd = window_;
    data.uID = 1;
    data.uFlags = NIF_INFO;
    CopyCut(data.szInfo, 256, text);
    CopyCut(data.szInfoTitle, 64, title);
    data.uTimeout = 30;
    data.dwInfoFlags = flags;
    notify_(NIM_MODIFY, &data);
}

void TTrayIcon::ShowWelcome(bool win2000OrLater) {
    ShowBalloon(UiTexts.NewProgramTitle, UiTexts.IconHint, NIIF_INFO, win2000OrLater);
}

void TTrayIcon::Translate() {
    Guarded("Translate", [&] {
        TranslateUiTexts();
        if (!TrayPopupMenu) TrayPopupMenu.Reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_TRAY)));
        HMENU popup = Popup();
        SetCaption(popup, IDM_SHOWMENU, "Show list of programs");
        SetCaption(popup, IDM_OPTIONSMENU, "Settings...");
        SetCaption(popup, IDM_MAILTOSUPPORTMENU, UiTexts.MailCaption);
        SetCaption(popup, IDM_ABOUTMENU, "About...");
        SetCaption(popup, IDM_EXITMENU, "Exit");
        if (popup) SetMenuDefaultItem(popup, IDM_SHOWMENU, FALSE);
    });
}

void TTrayIcon::Trayiconnotify(LPARAM mouseEvent, const std::function<void()>& showPanel) {
    Guarded("Trayiconnotify", [&] {
        if (mouseEvent == WM_LBUTTONDOWN) {
            showPanel();
            return;
        }
        HMENU popup = Popup();
        if (mouseEvent != WM_RBUTTONDOWN || !popup) return;
        POINT p;
        GetCursorPos(&p);
        // Without the foreground calls and the closing WM_NULL the menu would not close when
        // the user clicks elsewhere.
        SetForegroundWindow(window_);
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, window_, nullptr);
        SetForegroundWindow(window_);
        PostMessageA(window_, WM_NULL, 0, 0);
    });
}
