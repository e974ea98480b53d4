// Folder submenus of the panel: built from the four Start Menu roots, shown, watched, chosen.
#include <windows.h>

#include "panel/FolderMenu.h"

#include "catalogue/LocalizedNames.h"
#include "catalogue/Shortcuts.h"
#include "panel/FolderMenuTree.h"
#include "panel/PointerRules.h"
#include "platform/Guarded.h"
#include "platform/Log.h"
#include "platform/Text.h"

namespace {

class DiskFolders : public FolderSource {
public:
    bool List(const std::string& folder, std::vector<ListedName>& names) override {
        WIN32_FIND_DATAA data;
        UniqueFindHandle find(FindFirstFileA((folder + "\\*.*").c_str(), &data));
        if (!find) return false;
        do {
            names.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        } while (FindNextFileA(find.Get(), &data));
        return true;
    }

    std::wstring ShownName(const std::string& path, bool directory) override { return names_.Of(path, directory); }

    std::string Identity(const std::string& folder) override {
        UniqueHandle h(CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!h || !GetFileInformationByHandle(h.Get(), &info)) return {};
        return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
               std::to_string(info.nFileIndexLow);
    }

private:
    LocalizedNames names_;  // one filled menu
};

// Captions are shown as they are: a single '&' would otherwise underline the next letter.
std::wstring MenuText(const std::wstring& caption) {
    std::wstring out;
    for (wchar_t c : caption) {
        out += c;
        if (c == L'&') out += L'&';
    }
    return out;
}

std::wstring CaptionOfMenuText(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] == L'&') ++i;
        out += text[i];
    }
    return out;
}

template <typename Icons>
void AppendItems(HMENU menu, const MenuNode& node, Icons& icons) {
    UINT position = 0;
    for (const MenuNode& child : node.children) {
        std::wstring text = MenuText(child.shown.empty() ? ToWide(child.caption) : child.shown);
        MENUITEMINFOW mi = {};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA | MIIM_BITMAP;
        mi.dwTypeData = &text[0];
        mi.dwItemData = static_cast<ULONG_PTR>(icons.size());
        icons.push_back({child.iconPath, -1});
        mi.hbmpItem = HBMMENU_CALLBACK;  // the icon is drawn from the shared small image list
        UniqueMenu sub;
        if (child.folder) {
            sub.Reset(CreatePopupMenu());
            if (!sub) continue;
            AppendItems(sub.Get(), child, icons);
            mi.fMask |= MIIM_SUBMENU;
            mi.hSubMenu = sub.Get();
        } else {
            mi.wID = static_cast<UINT>(child.tag) + 1;  // 0 means nothing was chosen
        }
        if (InsertMenuItemW(menu, position, TRUE, &mi)) {
            sub.Release();  // the parent menu owns it now
            ++position;
        }
    }
}

bool PointInMenu(POINT p, HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r) && PtInRect(&r, p)) return true;
        HMENU sub = GetSubMenu(menu, i);
        RECT first;
        // A child menu is on screen when its first item has a rectangle.
        if (sub && GetMenuItemRect(nullptr, sub, 0, &first) && PointInMenu(p, sub)) return true;
    }
    return false;
}

}  // namespace

TFolderMenu::TFolderMenu(const TFolderPaths& paths, const PanelColours& colours, const PanelGeometry& geometry)
    : paths_(paths), colours_(colours), geometry_(geometry) {}

void TFolderMenu::FillMenu(const std::string& folderName, IShellFolder* desktop) {
    Guarded("FillMenu", [&] {
        if (tracked_) return;  // never rebuild the menu that is on screen
        Clear();
        desktop_ = desktop;
        MenuNode top;
        top.folder = true;
        DiskFolders disk;
        FolderMenuBuilder builder(disk);
        for (const std::string* root : {&paths_.UserPrograms, &paths_.CommonPrograms,
                                        &paths_.UserStartMenu, &paths_.CommonStartMenu})
            builder.AddSubMenu(*root + "\\" + folderName, top);
        if (builder.LoopSkipped) WriteLogOrShow("FillMenu: a folder that leads back to its own parent was left out");
        if (builder.LimitReached) WriteLogOrShow("FillMenu: the folder tree is too deep or too large; the menu is cut short");
        FolderMenuPaths = std::move(builder.Paths);
        FolderMenu.Reset(CreatePopupMenu());
        if (FolderMenu) AppendItems(FolderMenu.Get(), top, icons_);
    });
}

bool MenuItemText(HMENU menu, UINT position, std::wstring& text) {
    wchar_t buffer[1024] = {};
    MENUITEMINFOW mi = {};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = buffer;
    mi.cch = 1024;
    if (!GetMenuItemInfoW(menu, position, TRUE, &mi)) return false;
    text = buffer;
    return true;
}

int TFolderMenu::MenuTextWidth(HMENU menu) const {
    std::vector<std::string> captions;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        std::wstring text;
        // The width rule takes byte strings; UTF-8 carries a shown name there and back whole.
        if (MenuItemText(menu, static_cast<UINT>(i), text)) captions.push_back(ToUtf8(CaptionOfMenuText(text)));
    }
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    int height = -MulDiv(colours_.MenuFontSize, GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
    UniqueGdiObject font(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                     colours_.MenuFontName.c_str()));
    Selection chosen(dc.Get(), font.Get());
    return ::MenuTextWidth(captions, [&](const std::string& c) {
        SIZE s{};
        std::wstring wide = FromUtf8(c);
        GetTextExtentPoint32W(dc.Get(), wide.data(), static_cast<int>(wide.size()), &s);
        return static_cast<int>(s.cx);
    }, geometry_.Dpi);
}

int TFolderMenu::TrackFolderMenu(HWND owner, int x, int y) {
    if (!FolderMenu) return -1;
    tracked_ = true;
    UINT chosen = static_cast<UINT>(TrackPopupMenu(FolderMenu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD |
                                                                         TPM_RIGHTBUTTON,
                                                   x, y, 0, owner, nullptr));
    tracked_ = false;
    return static_cast<int>(chosen) - 1;
}

bool TFolderMenu::CursorInMenu(POINT p, HMENU menu) const {
    bool inside = false;
    Guarded("CursorInMenu", [&] { inside = PointInMenu(p, menu); });
    return inside;
}

void TFolderMenu::Clear() {
    FolderMenu.Reset();
    FolderMenuPaths.clear();
    icons_.clear();
    folders_.Clear();
    asked_ = 0;
}

void TFolderMenu::MeasureMenuIcon(MEASUREITEMSTRUCT& m) const {
    m.itemWidth = static_cast<UINT>(geometry_.SmallIconWidth);
    m.itemHeight = static_cast<UINT>(geometry_.SmallIconHeight);
}

int TFolderMenu::MenuIconIndex(ULONG_PTR itemData) {
    if (itemData >= icons_.size()) return -1;  // not an item of ours
    ItemIcon& icon = icons_[itemData];
    if (icon.index < 0) {
        ++asked_;
        icon.index = 0;  // what is drawn when the shell has no icon for it
        Guarded("MenuIconIndex", [&] { icon.index = ShellIconIndex(icon.path, desktop_, &folders_); });
    }
    return icon.index;
}

void TFolderMenu::DrawMenuIcon(const DRAWITEMSTRUCT& d) {
    int index = MenuIconIndex(d.itemData);
    if (!Images.list || index < 0) return;
    int top = d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - geometry_.SmallIconHeight) / 2;
    ImageList_Draw(Images.list, index, d.hDC, d.rcItem.left, top, Images.drawStyle);
}
