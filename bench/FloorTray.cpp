// The least a resident tray program with a panel must do: one tray icon, one hidden popup of the
// panel's size that a message shows and paints with one colour, hidden again on deactivation.
// Usage: floor_tray WIDTH HEIGHT COLORREF
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

namespace {
UINT g_show = 0;
COLORREF g_colour = 0;

LRESULT CALLBACK FloorProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (g_show && msg == g_show) {
        ShowWindow(w, SW_SHOWNORMAL);
        SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
        SetForegroundWindow(w);
        return 0;
    }
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            HBRUSH b = CreateSolidBrush(g_colour);
            FillRect(dc, &ps.rcPaint, b);
            DeleteObject(b);
            EndPaint(w, &ps);
            return 0;
        }
        case WM_ACTIVATEAPP:
            if (!wp) ShowWindow(w, SW_HIDE);
            return 0;
        case WM_CLOSE: {
            NOTIFYICONDATAA nid = {};
            nid.cbSize = sizeof nid;
            nid.hWnd = w;
            nid.uID = 1;
            Shell_NotifyIconA(NIM_DELETE, &nid);
            PostQuitMessage(0);
            return 0;
        }
    }
    return DefWindowProcA(w, msg, wp, lp);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = __argc;
    char** argv = __argv;
    int width = argc > 1 ? std::atoi(argv[1]) : 400;
    int height = argc > 2 ? std::atoi(argv[2]) : 400;
    g_colour = argc > 3 ? static_cast<COLORREF>(std::strtoul(argv[3], nullptr, 0)) : RGB(0, 0, 255);
    g_show = RegisterWindowMessageA("KestrolaShowOldInstanceMenu");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.lpszClassName = "FloorTrayForm";
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, "FloorTrayForm", "Floor", WS_POPUP, 100, 100, width, height, nullptr,
                             nullptr, instance, nullptr);
    NOTIFYICONDATAA nid = {};
    nid.cbSize = sizeof nid;
    nid.hWnd = w;
    nid.uID = 1;
    nid.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    nid.uCallbackMessage = WM_APP;
    nid.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    lstrcpyA(nid.szTip, "Floor");
    Shell_NotifyIconA(NIM_ADD, &nid);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
