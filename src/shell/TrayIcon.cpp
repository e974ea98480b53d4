#include "shell/TrayIcon.h"

#include <shellapi.h>

#include <cstring>

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
}  // namespace

void AddTrayIcon(HWND window, HINSTANCE module, UINT callbackMessage, bool xpOrLater) {
    NOTIFYICONDATAA data = {};
    data.cbSize = kBasicSize;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = static_cast<HICON>(LoadImageA(module, xpOrLater ? "MAINICON" : "MAINICON16", IMAGE_ICON, 16, 16, 0));
    CopyCut(data.szTip, 64, "Kestrola");
    Shell_NotifyIconA(NIM_ADD, &data);
    if (data.hIcon) DestroyIcon(data.hIcon);  // the shell keeps its own copy
}

void RemoveTrayIcon(HWND window) {
    NOTIFYICONDATAA data = {};
    data.cbSize = kBasicSize;
    data.hWnd = window;
    data.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void ShowBalloon(const std::string& title, const std::string& text, DWORD flags, HWND window, bool win2000OrLater) {
    if (!win2000OrLater) return;
    NOTIFYICONDATAA data = {};
    data.cbSize = kBalloonSize;
    data.hWnd = window;
    data.uID = 1;
    data.uFlags = NIF_INFO;
    CopyCut(data.szInfo, 256, text);
    CopyCut(data.szInfoTitle, 64, title);
    data.uTimeout = 30;
    data.dwInfoFlags = flags;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}
