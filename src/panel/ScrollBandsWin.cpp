// The main window's side of the scroll bands: its place on the desktop and the pointer.
#include <windows.h>

#include "app/MainForm.h"

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
    ArrowFlags f = ComputeArrowFlags(place, view.ScrollX, view.ScrollY);
    view.ArrowLeft = f.left;
    view.ArrowRight = f.right;
    view.ArrowTop = f.top;
    view.ArrowBottom = f.bottom;
}

PanelPlace TMainForm::Place() const { return PlaceOfWindow(Handle()); }

void TMainForm::PanelMoved(int x, int y) {
    bool wasX = View.OffDesktopX, wasY = View.OffDesktopY;
    PanelPlace p = Place();
    p.left = x;
    p.top = y;
    OffDesktop o = ComputeOffDesktop(p);
    View.OffDesktopX = o.x;
    View.OffDesktopY = o.y;
    ComputeArrowFlags();
    if (wasX != View.OffDesktopX || wasY != View.OffDesktopY || View.OffDesktopX || View.OffDesktopY)
        InvalidateRect(Handle(), nullptr, FALSE);
}

void TMainForm::ComputeArrowFlags() { UpdateArrowFlags(View, Place()); }

IntRect TMainForm::VisibleClientRect() const { return ::VisibleClientRect(Place(), View.ScrollX, View.ScrollY); }

bool TMainForm::PointerOnArrow() const {
    if (!View.OffDesktopX && !View.OffDesktopY) return false;
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(Handle(), &pt);
    return PointerInStrips(View.Arrows(), VisibleClientRect(), View.ScrollBand, pt.x, pt.y);
}

