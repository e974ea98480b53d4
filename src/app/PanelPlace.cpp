// The main window's place on the desktop: off-desktop state and the scroll bands' arrows.
#include "app/MainForm.h"
#include "panel/ScrollBands.h"

void TMainForm::PanelMoved(int x, int y) {
    bool wasX = View.OffDesktopX, wasY = View.OffDesktopY;
    PanelPlace now = PlaceOfWindow(Handle());
    PanelPlace p = now;
    p.left = x;
    p.top = y;
    OffDesktop o = ComputeOffDesktop(p);
    View.OffDesktopX = o.x;
    View.OffDesktopY = o.y;
    UpdateArrowFlags(View, now);
    if (wasX != View.OffDesktopX || wasY != View.OffDesktopY || View.OffDesktopX || View.OffDesktopY)
        InvalidateRect(Handle(), nullptr, FALSE);
}
