// Showing the panel where it belongs and hiding it again.
#include "app/MainForm.h"
#include "platform/Guarded.h"
#include "panel/PointerRules.h"
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
        Pointer.ArmPositionSave();
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
        Pointer.PanelHidden();
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
            bool shadow = Model.Layout.Geometry.DropShadow;
            Painter.PrepareColors();
            Model.Layout.Geometry.DropShadow = shadow;
        }
        constexpr size_t kCellsPerStep = 24;  // a show message waits at most one step
        size_t next = Painter.PaintCellsAhead(from, kCellsPerStep);
        if (next < Model.Catalogue.FolderList.size()) {
            PostMessageA(Handle(), kPaintAheadMessage, next, 0);
            return;
        }
        Painter.PrepareFrameBuffer();
    });
}

void TMainForm::FormKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) MainFormHide();
}

void TMainForm::DelayMenuTimerTimer() {
    Guarded("DelayMenuTimerTimer", [&] {
        DelayMenuTimer.Stop();  // one shot
        POINT p;
        GetCursorPos(&p);
        IntRect show{ShowRect.left, ShowRect.top, ShowRect.right, ShowRect.bottom};
        if (!InsideShowRect(show, p.x, p.y) || PanelShown) return;
        POINT place;
        long sx = 0, sy = 0;
        bool stored = false;
        // A value that is no number is logged and counts as missing, as in MainFormShow.
        Guarded("DelayMenuTimerTimer", [&] { stored = StoredPanelPosition(sx, sy); });
        if (stored) {
            place = {sx, sy};
        } else {
            RECT client, work;
            GetClientRect(Handle(), &client);
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            Point at = DelayedPlacement(show, client.right, client.bottom, work.right - work.left,
                                        work.bottom - work.top);
            place = {at.x, at.y};
        }
        SetWindowPos(Handle(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pointer.ArmPositionSave();
        ShowSequence();
    });
}
