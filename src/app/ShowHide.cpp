// Showing the panel where it belongs and hiding it again.
#include <functional>

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
        ShowAtPlace("MainFormShow", [&] {
            RECT r = {};
            GetWindowRect(Handle(), &r);
            return CentredPosition(r.right - r.left, r.bottom - r.top);
        });
    });
}

void TMainForm::ShowAtPlace(const char* operation, const std::function<POINT()>& computed) {
    POINT p;
    long x = 0, y = 0;
    bool stored = false;
    // A stored position that is no number is logged and counts as missing: failing here would
    // leave the panel closed for good, since only a drag of it could mend the value.
    Guarded(operation, [&] { stored = StoredPanelPosition(x, y); });
    if (stored)
        p = {x, y};
    else
        p = computed();
    SetWindowPos(Handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pointer.ArmPositionSave();
    ShowSequence();
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
        ShowAtPlace("DelayMenuTimerTimer", [&] {
            RECT client, work;
            GetClientRect(Handle(), &client);
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
            Point at = DelayedPlacement(show, client.right, client.bottom, work.right - work.left,
                                        work.bottom - work.top, Model.Layout.Geometry.Dpi);
            return POINT{at.x, at.y};
        });
    });
}
