#include "support/Input.h"

void Key(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

void MoveTo(POINT p) {
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
}

void Click(POINT p, bool right) {
    MoveTo(p);
    mouse_event(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

HWND OpenMenuWindow() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}
