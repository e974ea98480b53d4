// The scroll bands' window side: a window's place on the virtual screen, and the arrows it needs.
#include <windows.h>

#include "panel/PanelView.h"

PanelPlace PlaceOfWindow(HWND window) {
    RECT r{};
    if (window) GetWindowRect(window, &r);
    return {r.left,
            r.top,
            r.right - r.left,
            r.bottom - r.top,
            GetSystemMetrics(SM_XVIRTUALSCREEN),
            GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN),
            GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void UpdateArrowFlags(PanelView& view, const PanelPlace& place) {
    view.Arrows = ComputeArrowFlags(place, view.ScrollX, view.ScrollY);
}
