// Showing the panel where it belongs and hiding it again.
#include "app/MainForm.h"
#include "platform/Guarded.h"
#include "shell/Registry.h"

namespace {

// Centred in the primary work area; the work area's own origin is not added.
POINT CentredPosition(int width, int height) {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    POINT p{(work.right - work.left - width) / 2, (work.bottom - work.top - height) / 2};
    if (p.x < 0) p.x = 0;
    if (p.y < 0) p.y = 0;
    return p;
}

}  // namespace

void TMainForm::MainFormShow() {
    Guarded("MainFormShow", [&] {
        PositionSaveArmed = true;
        RECT r = {};
        GetWindowRect(Handle(), &r);
        POINT p;
        long x = 0, y = 0;
        bool stored = false;
        // A stored position that is no number is logged and the panel opens centred: failing
        // here would leave it closed for good, since only a drag of it could mend the value.
        Guarded("MainFormShow", [&] { stored = StoredPanelPosition(x, y); });
        if (stored)
            p = {x, y};
        else
            p = CentredPosition(r.right - r.left, r.bottom - r.top);
        SetWindowPos(Handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowSequence();
    });
}

void TMainForm::ShowSequence() {
    Painter.PrepareColors();
    PanelShown = true;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    if (GetForegroundWindow() != Handle()) SetForegroundWindow(Handle());
}

void TMainForm::MainFormHide() {
    Guarded("MainFormHide", [&] {
        ShowPopupMenuTimer.Stop();
        EndDrag();  // Escape during a drag: the next show must not drag on
        PanelShown = false;
        ShowWindow(Handle(), SW_HIDE);
    });
}

void TMainForm::PaintAheadStep(size_t from) {
    Guarded("PaintAheadStep", [&] {
        if (PanelShown || !Handle()) return;  // a frame paints what is missing itself
        // The colours the next show will paint with; also the first use of the painting's
        // fonts and surfaces, so that the first open after a start costs no more than others.
        if (from == 0) {
            // The drop shadow is the one known at the last show: a layout made before the
            // next show must not change the panel's size.
            bool shadow = Layout.Geometry.DropShadow;
            Painter.PrepareColors();
            Layout.Geometry.DropShadow = shadow;
        }
        constexpr size_t kCellsPerStep = 24;  // a show message waits at most one step
        size_t next = Painter.PaintCellsAhead(from, kCellsPerStep);
        if (next < Catalogue.FolderList.size()) {
            PostMessageA(Handle(), kPaintAheadMessage, next, 0);
            return;
        }
        Painter.PrepareFrameBuffer();
    });
}
