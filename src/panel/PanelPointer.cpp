#include "panel/PanelPointer.h"

#include "panel/PointerRules.h"
#include "panel/ShellContextMenu.h"
#include "platform/Guarded.h"

namespace {

// Where the pointer was when the message being handled was made: a drag follows the messages
// exactly even when they are handled late.
POINT MessagePoint() {
    DWORD pos = GetMessagePos();
    return {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

}  // namespace

TPanelPointer::TPanelPointer(const TPanelModel& model, PanelView& view, PanelPainter& painter, TFolderMenu& submenus,
                             PointerActions actions)
    : Catalogue(model.Catalogue),
      Layout(model.Layout),
      View(view),
      Painter(painter),
      Submenus(submenus),
      actions_(std::move(actions)) {}

void TPanelPointer::Attach(HWND window) {
    window_ = window;
    for (WindowTimer* t : {&ShowPopupMenuTimer, &Timer, &ScrollTimer}) t->Attach(window);
}

void TPanelPointer::OnTimer(UINT_PTR id) {
    if (id == ScrollTimer.Id()) ScrollTimerTimer();
    if (id == ShowPopupMenuTimer.Id()) ShowPopupMenuTimerTimer();
    if (id == Timer.Id()) TimerTimer();
}

void TPanelPointer::PanelHidden() {
    ShowPopupMenuTimer.Stop();
    EndDrag();  // Escape during a drag: the next show must not drag on
}

void TPanelPointer::EntriesRebuilt() {
    Timer.Stop();
    View.CurrentItem = -1;
}

int TPanelPointer::GetCurrentItem(int x, int y) {
    int result = -2;
    Guarded("GetCurrentItem", [&] {
        std::vector<CellOrigin> cells;
        cells.reserve(Catalogue.FolderList().size());
        for (const TFolder& f : Catalogue.FolderList()) cells.push_back({f.CellX, f.CellY});
        const PanelGeometry& g = Layout.Geometry();
        result = HitTest(cells, g.CellWidth, g.CellHeight, View.ScrollX, View.ScrollY, x, y);
    });
    return result;
}

const TFolder* TPanelPointer::Current() const {
    int i = View.CurrentItem;
    return i >= 0 && static_cast<size_t>(i) < Catalogue.FolderList().size() ? &Catalogue.FolderList()[static_cast<size_t>(i)]
                                                                            : nullptr;
}

PointerShape TPanelPointer::ShapeOver(int item) const {
    bool entry = item >= 0 && static_cast<size_t>(item) < Catalogue.FolderList().size();
    return PointerShapeFor(entry, entry ? Catalogue.FolderList()[static_cast<size_t>(item)].FolderType : 0);
}

void TPanelPointer::SetCursorType() {
    Guarded("SetCursorType", [&] {
        switch (ShapeOver(View.CurrentItem)) {
            case PointerShape::Arrow: SetCursor(LoadCursor(nullptr, IDC_ARROW)); break;
            case PointerShape::Hand: SetCursor(LoadCursor(nullptr, IDC_HAND)); break;
            case PointerShape::System: break;
        }
    });
}

bool TPanelPointer::HandUnderPointer() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    if (ShapeOver(GetCurrentItem(p.x, p.y)) != PointerShape::Hand) return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
}

void TPanelPointer::EndDrag() {
    if (!IsDragging) return;
    IsDragging = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    // The first drag of a showing is remembered, also when it ends without a release.
    if (!PositionSaveArmed) return;
    PositionSaveArmed = false;
    RECT r;
    GetWindowRect(Handle(), &r);
    actions_.dragEnded(r.left, r.top);
}

void TPanelPointer::FormMouseDown(int x, int y) {
    DragPoint = MessagePoint();
    RECT r;
    GetWindowRect(Handle(), &r);
    if (InDragHandle(x, y, Layout.Geometry().HeaderHeight, r.right - r.left, Layout.Geometry().Dpi)) {
        IsDragging = true;
        SetCapture(Handle());  // the drag goes on when the pointer outruns the panel
    }
}

void TPanelPointer::FormMouseMove(int x, int y) {
    Guarded("FormMouseMove", [&] {
        if (IsDragging) {
            POINT p = MessagePoint();
            RECT r;
            GetWindowRect(Handle(), &r);
            SetWindowPos(Handle(), nullptr, r.left + p.x - DragPoint.x, r.top + p.y - DragPoint.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (View.OffDesktopX || View.OffDesktopY) {
                PullBackScroll(PlaceOfWindow(Handle()), View.ScrollX, View.ScrollY);
                InvalidateRect(Handle(), nullptr, FALSE);
            }
            DragPoint = p;
            actions_.dragStep();
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
            if (Catalogue.FolderList()[static_cast<size_t>(h)].IsFolder) ShowPopupMenuTimer.Start();
        }
    });
}

void TPanelPointer::FormMouseUp(bool left, int x, int y) {
    Guarded("FormMouseUp", [&] {
        if (!left) {
            if (!Current()) return;
            ShowPopupMenuTimer.Stop();
            // A copy: the list may be rebuilt meanwhile.
            std::string path = Current()->FullName;
            POINT at{x, y};
            ClientToScreen(Handle(), &at);
            ShowShellContextMenu(path, at, Handle());
            return;
        }
        EndDrag();
        POINT press = DragPoint;
        ScreenToClient(Handle(), &press);
        if (!IsClick(press.x, press.y, x, y, Layout.Geometry().Dpi) || !Current() || GetCurrentItem(x, y) != View.CurrentItem)
            return;
        const TFolder f = *Current();
        if (f.FolderType != ekFolder && f.FolderType != ekQuickFolder) {
            actions_.start(f.FullName);
            return;
        }
        ShowPopupMenuTimer.Stop();
        Submenus.FillMenu(f.Caption, Catalogue.DesktopFolder());
        const PanelGeometry& g = Layout.Geometry();
        POINT at{f.CellX + g.CellWidth - g.Px(2), f.CellY + g.IconInset + g.Px(14)};
        ClientToScreen(Handle(), &at);
        TrackFolderMenu(at.x, at.y);
    });
}

void TPanelPointer::FormContextPopup() {
    Guarded("FormContextPopup", [&] { Timer.Stop(); });
}

void TPanelPointer::ScrollTimerTimer() {
    if (!View.OffDesktopX && !View.OffDesktopY) return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    BandSide side;
    if (!StripAt(View.Arrows, VisibleClientRect(), View.ScrollBand, p.x, p.y, side))
        return;
    ScrollStep(side, View.ScrollX, View.ScrollY, Layout.Geometry().Dpi);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TPanelPointer::ShowPopupMenuTimerTimer() {
    Guarded("ShowPopupMenuTimerTimer", [&] {
        ShowPopupMenuTimer.Stop();
        if (!Current()) return;
        const TFolder f = *Current();
        Submenus.FillMenu(f.Caption, Catalogue.DesktopFolder());
        if (!Submenus.FolderMenu) return;
        int w = Submenus.MenuTextWidth(Submenus.FolderMenu.Get());
        const PanelGeometry& g = Layout.Geometry();
        Point at = SubmenuAnchor(g, f.CellX, f.CellY, View.ScrollX, View.ScrollY);
        POINT anchor{at.x, at.y};
        ClientToScreen(Handle(), &anchor);
        Timer.Start();
        int desktopRight = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        TrackFolderMenu(SubmenuLeft(anchor.x, w, g.CellWidth, desktopRight, g.Dpi), anchor.y);
    });
}

void TPanelPointer::TimerTimer() {
    Guarded("TimerTimer", [&] {
        POINT p;
        GetCursorPos(&p);
        SetCursorType();
        if (const TFolder* current = Current()) {
            if (!current->IsFolder) return;
            if (Submenus.FolderMenu && Submenus.CursorInMenu(p, Submenus.FolderMenu.Get())) return;
        }
        POINT c = p;
        ScreenToClient(Handle(), &c);
        if (GetCurrentItem(c.x, c.y) == View.CurrentItem) return;
        Timer.Stop();
        if (!actions_.panelShown()) return;
        // Ends only our own menu: a synthesized key could pick an item of whatever menu is open.
        if (Submenus.Tracked()) EndMenu();
        InvalidateRect(Handle(), nullptr, FALSE);
    });
}

void TPanelPointer::ItemClick(int tag) {
    Guarded("ItemClick", [&] {
        const std::vector<std::string>& paths = Submenus.FolderMenuPaths;
        if (paths.empty() || tag < 0 || static_cast<size_t>(tag) >= paths.size()) return;
        actions_.start(paths[static_cast<size_t>(tag)]);
    });
}

void TPanelPointer::TrackFolderMenu(int x, int y) {
    int chosen = Submenus.TrackFolderMenu(Handle(), x, y);
    if (chosen >= 0) ItemClick(chosen);
}

IntRect TPanelPointer::VisibleClientRect() const { return ::VisibleClientRect(PlaceOfWindow(Handle()), View.ScrollX, View.ScrollY); }

bool TPanelPointer::PointerOnArrow() const {
    if (!View.OffDesktopX && !View.OffDesktopY) return false;
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(Handle(), &pt);
    return PointerInStrips(View.Arrows, VisibleClientRect(), View.ScrollBand, pt.x, pt.y);
}

