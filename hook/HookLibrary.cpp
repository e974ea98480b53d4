// Kestrola.dll: the hook library. It runs inside every process of the desktop, so it keeps no
// state but two message numbers, never waits, and always passes the message on to the next hook.
#include <windows.h>

#include <cstdint>

#include "shell/HookBlockView.h"
#include "shell/HookContract.h"
#include "shell/HookRules.h"

namespace {

UINT g_showMenu = 0, g_optionsUpdate = 0;
// When this process last passed on a trigger: its releases, which arrive later, belong to it.
DWORD g_armedAt = 0;
bool g_armed = false;
constexpr DWORD kArmedMs = 1000;

HWND MainWindow(const HookSharedBlock& b) {
    HWND w = reinterpret_cast<HWND>(static_cast<uintptr_t>(b.MainWindow));
    return IsWindow(w) ? w : nullptr;
}

// This process got the input, so it may hand the foreground to the program, which shows its
// panel only later and would otherwise be refused.
void GrantForeground(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid) AllowSetForegroundWindow(pid);
}

void AskForPanel(HWND w, const RECT& r) {
    PackedRect p = PackShowRect({r.left, r.top, r.right, r.bottom});
    PostMessageA(w, g_showMenu, p.wParam, p.lParam);
}

// The keys as they were when this message was made, not as they are now: a chord typed fast is
// complete in the queue before the first of its messages is taken.
bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

bool IsChordKey(WPARAM vk) {
    return vk == VK_LWIN || vk == VK_RWIN || vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU || vk == VK_APPS;
}

// The key that just went down counts as held even before the system's key state shows it.
HeldKeys Held(WPARAM vk, LPARAM lParam) {
    bool extended = (lParam & (1 << 24)) != 0;
    HeldKeys k;
    k.leftWindows = vk == VK_LWIN || Down(VK_LWIN);
    k.rightWindows = vk == VK_RWIN || Down(VK_RWIN);
    k.leftAlt = (vk == VK_MENU && !extended) || vk == VK_LMENU || Down(VK_LMENU);
    k.rightAlt = (vk == VK_MENU && extended) || vk == VK_RMENU || Down(VK_RMENU);
    k.applications = vk == VK_APPS || Down(VK_APPS);
    return k;
}

bool HasClass(HWND w, const char* name) {
    char cls[64] = {};
    return w && GetClassNameA(w, cls, sizeof cls) && lstrcmpiA(cls, name) == 0;
}

// The Start button of the taskbar: a button whose parent is the taskbar window.
bool IsStartButton(HWND w) { return HasClass(w, "Button") && HasClass(GetParent(w), "Shell_TrayWnd"); }

HookEvent EventOf(const MSG& m) {
    switch (m.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return IsChordKey(m.wParam) ? HookEvent::ChordKeyDown : HookEvent::Other;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return IsChordKey(m.wParam) ? HookEvent::ChordKeyUp : HookEvent::Other;
        // A quick second press comes as a double click; it belongs to the Start button too.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return IsStartButton(m.hwnd) ? HookEvent::StartButtonPress : HookEvent::Other;
        case WM_LBUTTONUP:
            return IsStartButton(m.hwnd) ? HookEvent::StartButtonRelease : HookEvent::Other;
        default:
            return HookEvent::Other;
    }
}

// The pointer's monitor, less the taskbar; the whole primary screen where none is known.
RECT ChordRect() {
    POINT p{};
    GetCursorPos(&p);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info)) {
        SetRect(&info.rcMonitor, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        info.rcWork = info.rcMonitor;
    }
    const RECT &m = info.rcMonitor, &w = info.rcWork;
    ScreenRect r = ChordShowRect(p.x, p.y, {m.left, m.top, m.right, m.bottom}, {w.left, w.top, w.right, w.bottom});
    return {r.left, r.top, r.right, r.bottom};
}

void Look(MSG& m) {
    if (!g_showMenu) {
        g_showMenu = RegisterWindowMessageA(hook::kShowMenuMessage);
        g_optionsUpdate = RegisterWindowMessageA(hook::kOptionsUpdateMessage);
    }
    // The settings are read from the block at every trigger, so a change of them is in effect
    // as soon as the options-update broadcast says they are in the block.
    if (g_optionsUpdate && m.message == g_optionsUpdate) return;
    HookEvent e = EventOf(m);
    if (e == HookEvent::Other) return;
    // Opened for this one look: a view kept open would keep an old block alive after the program
    // ended and hand its stale fields to the next one.
    HookBlockView look;
    const HookSharedBlock* b = look.Get();
    if (!b) return;
    HWND w = MainWindow(*b);
    if (!w) return;
    bool chord = e == HookEvent::ChordKeyDown && ChordTriggered(*b, Held(m.wParam, m.lParam));
    bool armed = g_armed && GetTickCount() - g_armedAt < kArmedMs;
    HookStep s = DecideHookStep(e, chord, m.wParam == VK_APPS, b->IntegrateWithSystem != 0, armed);
    if (s.grantForeground) GrantForeground(w);
    if (s.askForPanel) {
        RECT r;
        if (chord)
            r = ChordRect();
        else
            GetWindowRect(m.hwnd, &r);
        AskForPanel(w, r);
    }
    if (s.arm) {
        g_armed = true;
        g_armedAt = GetTickCount();
    }
    if (s.swallow) m.message = WM_NULL;  // the panel opens instead of the system's menu
}

}  // namespace

extern "C" LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && lParam) Look(*reinterpret_cast<MSG*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);  // the handle is ignored since NT
}

extern "C" LRESULT CALLBACK CallWNDProc(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
