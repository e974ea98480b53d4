#include "support/Input.h"

#include "platform/Gdi.h"
#include "support/Program.h"

void Key(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

void MoveTo(POINT p) {
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
}

bool HoverUntil(POINT p, const std::function<bool()>& cond, DWORD timeoutMs) {
    int polls = 0;
    return WaitUntil([&] {
        if (polls++ % 10 == 0) MoveTo({p.x + (polls / 10) % 2, p.y});
        return cond();
    }, timeoutMs);
}

void Click(POINT p, bool right) {
    MoveTo(p);
    mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

HWND MakeWindow(const char* cls, const char* title, DWORD style, HWND parent, int x, int y, int w, int h,
                WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    return CreateWindowExA(0, cls, title, style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

COLORREF ScreenPixel(int x, int y) {
    WindowDc screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

HWND OpenMenuWindow() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}
