// The main window's place on the desktop: off-desktop state, arrows, the pointer on a band.
#include <windows.h>

#include "app/MainForm.h"

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
    return PointerInStrips(View.Arrows, VisibleClientRect(), View.ScrollBand, pt.x, pt.y);
}

