// Folder submenus of the panel: one folder name merged from the four Start Menu roots into a
// popup menu of captions and small icons, shown modally; the chosen item's path is the caller's.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "catalogue/FolderPaths.h"
#include "catalogue/Shortcuts.h"
#include "panel/Geometry.h"
#include "panel/Painter.h"
#include "platform/Handle.h"

// The text of the menu's item at the position, as the menu holds it ("&&" for an ampersand).
bool MenuItemText(HMENU menu, UINT position, std::wstring& text);

// Shows the shared small system image list; never destroys it.
struct SubmenuImageList {
    HIMAGELIST list = nullptr;
    UINT drawStyle = ILD_TRANSPARENT;
};

class TFolderMenu {
public:
    TFolderMenu(const TFolderPaths& paths, const PanelColours& colours, const PanelGeometry& geometry);
    TFolderMenu(const TFolderMenu&) = delete;
    TFolderMenu& operator=(const TFolderMenu&) = delete;

    void FillMenu(const std::string& folderName, IShellFolder* desktop);
    // The width the menu takes in the menu font.
    int MenuTextWidth(HMENU menu) const;
    // Pops the menu up at the screen point; modal. The chosen item's index in FolderMenuPaths, or -1.
    int TrackFolderMenu(HWND owner, int x, int y);
    bool Tracked() const { return tracked_; }
    bool CursorInMenu(POINT p, HMENU menu) const;
    void MeasureMenuIcon(MEASUREITEMSTRUCT& m) const;
    // Asks the shell for the item's icon the first time the item is drawn.
    void DrawMenuIcon(const DRAWITEMSTRUCT& d);
    // The icon index the item of that menu data shows, asked once per filled menu; -1 for data
    // that is not one of ours.
    int MenuIconIndex(ULONG_PTR itemData);
    size_t IconsAsked() const { return asked_; }
    void Clear();

    UniqueMenu FolderMenu;
    std::vector<std::string> FolderMenuPaths;
    SubmenuImageList Images;

private:
    const TFolderPaths& paths_;
    const PanelColours& colours_;
    const PanelGeometry& geometry_;
    bool tracked_ = false;  // never rebuild the menu that is on screen
    // Per item of the filled menu (its menu data indexes this): whose icon, and the index once asked.
    struct ItemIcon {
        std::string path;
        int index = -1;
    };
    std::vector<ItemIcon> icons_;
    size_t asked_ = 0;
    IShellFolder* desktop_ = nullptr;  // the catalogue's, which outlives every menu
    ShellFolderCache folders_;         // valid for one filled menu
};
