// The main window's side of the folder submenus: when they open, while they are watched, what
// a choice starts.
#include <windows.h>

#include "app/MainForm.h"
#include "panel/PointerRules.h"
#include "platform/Guarded.h"

void TMainForm::ShowPopupMenuTimerTimer() {
    Guarded("ShowPopupMenuTimerTimer", [&] {
        ShowPopupMenuTimer.Stop();
        if (View.CurrentItem < 0 || static_cast<size_t>(View.CurrentItem) >= Catalogue.FolderList.size()) return;
        const TFolder f = Catalogue.FolderList[static_cast<size_t>(View.CurrentItem)];
        Submenus.FillMenu(f.Caption, Catalogue.DesktopFolder.Get());
        if (!Submenus.FolderMenu) return;
        int w = Submenus.MenuTextWidth(Submenus.FolderMenu.Get());
        POINT anchor{f.CellX + View.ScrollX + Layout.Geometry.CellWidth - 4,
                     f.CellY + View.ScrollY + RoundHalfEven(Layout.Geometry.IconHeight / 2.0) - 8};
        ClientToScreen(Handle(), &anchor);
        Timer.Start();
        int desktopRight = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
        TrackFolderMenu(SubmenuLeft(anchor.x, w, Layout.Geometry.CellWidth, desktopRight), anchor.y);
    });
}

void TMainForm::TimerTimer() {
    Guarded("TimerTimer", [&] {
        POINT p;
        GetCursorPos(&p);
        SetCursorType();
        if (View.CurrentItem >= 0 && static_cast<size_t>(View.CurrentItem) < Catalogue.FolderList.size()) {
            if (!Catalogue.FolderList[static_cast<size_t>(View.CurrentItem)].IsFolder) return;
            if (Submenus.FolderMenu && Submenus.CursorInMenu(p, Submenus.FolderMenu.Get())) return;
        }
        POINT c = p;
        ScreenToClient(Handle(), &c);
        if (GetCurrentItem(c.x, c.y) == View.CurrentItem) return;
        Timer.Stop();
        if (!PanelShown) return;
        // Ends only our own menu: a synthesized key could pick an item of whatever menu is open.
        if (Submenus.Tracked()) EndMenu();
        InvalidateRect(Handle(), nullptr, FALSE);
    });
}

void TMainForm::ItemClick(int tag) {
    Guarded("ItemClick", [&] {
        const std::vector<std::string>& paths = Submenus.FolderMenuPaths;
        if (paths.empty() || tag < 0 || static_cast<size_t>(tag) >= paths.size()) return;
        StartSequence(paths[static_cast<size_t>(tag)]);
    });
}

void TMainForm::TrackFolderMenu(int x, int y) {
    int chosen = Submenus.TrackFolderMenu(Handle(), x, y);
    if (chosen >= 0) ItemClick(chosen);
}
