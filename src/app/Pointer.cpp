// Pointer, keys and the timers of the panel: highlight, drag, scroll, delayed opening.
#include <windows.h>

#include "app/MainForm.h"
#include "app/SystemVersion.h"
#include "panel/PointerRules.h"
#include "panel/ShellContextMenu.h"
#include "platform/Guarded.h"
#include "shell/Registry.h"

namespace {
const char* const kShowX = "StartMenuShowX";
const char* const kShowY = "StartMenuShowY";

// Where the pointer was when the message being handled was made: a drag follows the messages
// exactly even when they are handled late.
POINT MessagePoint() {
    DWORD pos = GetMessagePos();
    return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

}  // namespace

int TMainForm::GetCurrentItem(int x, int y) {
    int result = -2;
    Guarded("GetCurrentItem", [&] {
        std::vector<CellOrigin> cells;
        cells.reserve(Catalogue.FolderList.size());
        for (const TFolder& f : Catalogue.FolderList) cells.push_back({f.CellX, f.CellY});
        const PanelGeometry& g = Layout.Geometry;
        result = HitTest(cells, g.CellWidth, g.CellHeight, View.ScrollX, View.ScrollY, x, y);
    });
    return result;
}

PointerShape TMainForm::ShapeOver(int item) const {
    bool entry = item >= 0 && static_cast<size_t>(item) < Catalogue.FolderList.size();
    return PointerShapeFor(entry, entry ? Catalogue.FolderList[static_cast<size_t>(item)].FolderType : 0);
}

void TMainForm::SetCursorType() {
    Guarded("SetCursorType", [&] {
        switch (ShapeOver(View.CurrentItem)) {
            case PointerShape::Arrow: SetCursor(LoadCursor(nullptr, IDC_ARROW)); break;
            case PointerShape::Hand: SetCursor(LoadCursor(nullptr, IDC_HAND)); break;
            case PointerShape::System: break;
        }
    });
}

bool TMainForm::HandUnderPointer() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    if (ShapeOver(GetCurrentItem(p.x, p.y)) != PointerShape::Hand) return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
}

void TMainForm::EndDrag() {
    if (!IsDragging) return;
    IsDragging = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    // The first drag of a showing is remembered, also when it ends without a release.
    if (!PositionSaveArmed) return;
    PositionSaveArmed = false;
    RECT r;
    GetWindowRect(Handle(), &r);
    WriteRegValue(HKEY_CURRENT_USER, kProgramKey, kShowX, RegValue::Integer(r.left), 3);
    WriteRegValue(HKEY_CURRENT_USER, kProgramKey, kShowY, RegValue::Integer(r.top), 3);
}

void TMainForm::FormMouseDown(int x, int y) {
    DragPoint = MessagePoint();
    RECT r;
    GetWindowRect(Handle(), &r);
    if (InDragHandle(x, y, Layout.Geometry.HeaderHeight, r.right - r.left)) {
        IsDragging = true;
        SetCapture(Handle());  // the drag goes on when the pointer outruns the panel
    }
}

void TMainForm::FormMouseMove(int x, int y) {
    Guarded("FormMouseMove", [&] {
        if (IsDragging) {
            POINT p = MessagePoint();
            RECT r;
            GetWindowRect(Handle(), &r);
            SetWindowPos(Handle(), nullptr, r.left + p.x - DragPoint.x, r.top + p.y - DragPoint.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (View.OffDesktopX || View.OffDesktopY) {
                PullBackScroll(Place(), View.ScrollX, View.ScrollY);
                InvalidateRect(Handle(), nullptr, FALSE);
            }
            DragPoint = p;
            if (XpOrLater && Layout.Geometry.DropShadow) Layout.Geometry.DropShadow = false;
            return;
        }
        if (PointerOnArrow()) {
            ShowPopupMenuTimer.Stop();
            ScrollTimer.Start();
            return;
        }
        ScrollTimer.Stop();
        int h = GetCurrentItem(x, y);
        if (h == View.CurrentItem) {
            SetCursorType();
            return;
        }
        ShowPopupMenuTimer.Stop();
        Painter.RedrawItem(false, -1);
        View.CurrentItem = h;
        if (h >= 0) {
            Painter.RedrawItem(true, -1);
            SetCursorType();
            if (Catalogue.FolderList[static_cast<size_t>(h)].IsFolder) ShowPopupMenuTimer.Start();
        }
    });
}

void TMainForm::FormMouseUp(bool left, int x, int y) {
    Guarded("FormMouseUp", [&] {
        if (!left) {
            if (View.CurrentItem < 0 || static_cast<size_t>(View.CurrentItem) >= Catalogue.FolderList.size()) return;
            ShowPopupMenuTimer.Stop();
            // A copy: the list may be rebuilt meanwhile.
            std::string path = Catalogue.FolderList[static_cast<size_t>(View.CurrentItem)].FullName;
            POINT at{x, y};
            ClientToScreen(Handle(), &at);
            ShowShellContextMenu(path, at, Handle());
            return;
        }
        EndDrag();
        POINT press = DragPoint;
        ScreenToClient(Handle(), &press);
        if (!IsClick(press.x, press.y, x, y) || View.CurrentItem < 0 || GetCurrentItem(x, y) != View.CurrentItem) return;
        const TFolder f = Catalogue.FolderList[static_cast<size_t>(View.CurrentItem)];
        if (f.FolderType != ekFolder && f.FolderType != ekQuickFolder) {
            StartSequence(f.FullName);
            return;
        }
        ShowPopupMenuTimer.Stop();
        Submenus.FillMenu(f.Caption, Catalogue.DesktopFolder.Get());
        POINT at{f.CellX + Layout.Geometry.CellWidth - 2, f.CellY + Layout.Geometry.IconInset + 14};
        ClientToScreen(Handle(), &at);
        TrackFolderMenu(at.x, at.y);
    });
}

void TMainForm::FormKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) MainFormHide();
}

void TMainForm::FormContextPopup() {
    Guarded("FormContextPopup", [&] { Timer.Stop(); });
}

void TMainForm::ScrollTimerTimer() {
    if (!View.OffDesktopX && !View.OffDesktopY) return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    BandSide side;
    if (!StripAt(View.Arrows, VisibleClientRect(), View.ScrollBand, p.x, p.y, side))
        return;
    ScrollStep(side, View.ScrollX, View.ScrollY);
    InvalidateRect(Handle(), nullptr, FALSE);
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
        PositionSaveArmed = true;
        ShowSequence();
    });
}
