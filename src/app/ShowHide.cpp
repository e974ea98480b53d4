// Showing the panel where it belongs and hiding it again.
#include <functional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/SystemVersion.h"
#include "platform/Guarded.h"
#include "platform/Log.h"
#include "panel/PointerRules.h"
#include "shell/Registry.h"

namespace {

IntRect Of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The primary work area as the computed placements know it: its own origin is not added.
IntRect PrimaryWorkSize() {
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {0, 0, work.right - work.left, work.bottom - work.top};
}

IntRect PointerMonitorWork() {
    POINT p{};
    GetCursorPos(&p);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromPoint(p, MONITOR_DEFAULTTOPRIMARY), &info)) return PrimaryWorkSize();
    return Of(info.rcWork);
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<std::vector<IntRect>*>(list)->push_back(Of(*r));
    return TRUE;
}

std::vector<IntRect> Monitors() {
    std::vector<IntRect> list;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

}  // namespace

void TMainForm::MainFormShow() {
    Guarded("MainFormShow", [&] {
        ShowAtPlace("MainFormShow", [&](const IntRect& work) {
            RECT r = {};
            GetWindowRect(Handle(), &r);
            Point at = CentredIn(work, r.right - r.left, r.bottom - r.top);
            return POINT{at.x, at.y};
        });
    });
}

void TMainForm::ShowAtPlace(const char* operation, const std::function<POINT(const IntRect&)>& computed) {
    POINT p;
    long x = 0, y = 0;
    bool stored = false;
    // A stored position that is no number is logged and counts as missing: failing here would
    // leave the panel closed for good, since only a drag of it could mend the value.
    Guarded(operation, [&] { stored = StoredPanelPosition(x, y); });
    RECT r = {};
    GetWindowRect(Handle(), &r);
    IntRect there{x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
    if (!stored) {
        p = computed(PrimaryWorkSize());
    } else if (OnSomeMonitor(there, Monitors())) {
        p = {x, y};
    } else {
        // Its monitor is gone: the panel opens where it would without a stored place, on the
        // pointer's monitor. The values stay until the next drag stores new ones.
        p = computed(PointerMonitorWork());
        if (offMonitorTold_.x != x || offMonitorTold_.y != y) {
            offMonitorTold_ = {x, y};
            WriteLogOrShow(std::string(operation) + ": the stored position " + std::to_string(x) + ", " +
                           std::to_string(y) + " lies on no monitor; the panel opens at " + std::to_string(p.x) +
                           ", " + std::to_string(p.y));
        }
    }
    SetWindowPos(Handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pointer.ArmPositionSave();
    ShowSequence();
}

void TMainForm::ShowSequence() {
    Painter.PrepareColors();
    // Read at every show, and only here; a drag clears it until the next one.
    BOOL shadow = FALSE;
    Model.Layout.SetDropShadow(SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &shadow, 0) && shadow);
    PanelShown = true;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    if (GetForegroundWindow() != Handle()) SetForegroundWindow(Handle());
}

void TMainForm::DragStep() {
    if (XpOrLater) Model.Layout.SetDropShadow(false);
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
        if (from == 0) Painter.PrepareColors();
        constexpr size_t kCellsPerStep = 24;  // a show message waits at most one step
        size_t next = Painter.PaintCellsAhead(from, kCellsPerStep);
        if (next < Model.Catalogue.FolderList().size()) {
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
        ShowAtPlace("DelayMenuTimerTimer", [&](const IntRect& work) {
            RECT client;
            GetClientRect(Handle(), &client);
            // The rule measures from the work area's origin.
            IntRect beside{show.left - work.left, show.top - work.top, show.right - work.left, show.bottom - work.top};
            Point at = DelayedPlacement(beside, client.right, client.bottom, work.right - work.left,
                                        work.bottom - work.top, Model.Layout.Geometry().Dpi);
            return POINT{work.left + at.x, work.top + at.y};
        });
    });
}
