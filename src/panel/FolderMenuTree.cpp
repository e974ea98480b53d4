#include "panel/FolderMenuTree.h"

#include <windows.h>

#include <algorithm>

#include "platform/Guarded.h"

namespace {

std::string WithoutAmpersands(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != '&') out += c;
    return out;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// Pops the folder off the ancestor list however its walk ends.
struct AncestorScope {
    std::vector<std::string>& list;
    AncestorScope(std::vector<std::string>& l, const std::string& id) : list(l) { list.push_back(id); }
    ~AncestorScope() { list.pop_back(); }
};

}  // namespace

size_t MenuInsertIndex(const std::vector<MenuNode>& children, const std::string& caption, int& folderCount,
                       bool isFolder) {
    size_t folders = std::min(static_cast<size_t>(std::max(folderCount, 0)), children.size());
    auto begin = children.begin() + static_cast<std::ptrdiff_t>(isFolder ? 0 : folders);
    auto end = isFolder ? children.begin() + static_cast<std::ptrdiff_t>(folders) : children.end();
    // Each range is kept sorted, so the first greater caption is found by halving. std::string
    // compares bytes as unsigned: capitals before small letters, code page letters last.
    auto at = std::upper_bound(begin, end, caption,
                               [](const std::string& c, const MenuNode& n) { return c < n.caption; });
    if (isFolder) folderCount = static_cast<int>(folders) + 1;
    return static_cast<size_t>(at - children.begin());
}


std::string CaptionKey(const std::string& caption) {
    std::string key = WithoutAmpersands(caption);
    if (!key.empty())
        LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, key.data(), static_cast<int>(key.size()), &key[0],
                     static_cast<int>(key.size()));
    return key;
}

std::string MenuCaption(const std::string& name, bool directory) {
    if (directory) return name;
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int MenuTextWidth(const std::vector<std::string>& captions, const std::function<int(const std::string&)>& measure,
                  int dpi) {
    int widest = 0;
    for (const std::string& c : captions) widest = std::max(widest, measure(c));
    return widest + ScalePixels(60, dpi);
}

void FolderMenuBuilder::AddSubMenu(const std::string& folder, MenuNode& parent) { Walk(folder, parent, 0); }

MenuNode* FolderMenuBuilder::FindChild(MenuNode& parent, const std::string& key) {
    if (!parent.keys.count(key)) return nullptr;
    for (MenuNode& c : parent.children)
        if (c.key == key) return &c;
    return nullptr;
}

MenuNode& FolderMenuBuilder::Insert(MenuNode& parent, MenuNode node) {
    node.key = CaptionKey(node.caption);
    parent.keys.insert(node.key);
    size_t at = MenuInsertIndex(parent.children, node.caption, parent.tag, node.folder);
    parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
    ++items_;
    return parent.children[at];
}

void FolderMenuBuilder::Walk(const std::string& folder, MenuNode& parent, int depth) {
    Guarded("AddSubMenu", [&] {
        // A junction or link back to a parent would otherwise make the walk endless.
        if (depth >= kMaxDepth) {
            LimitReached = true;
            return;
        }
        std::string id = source_.Identity(folder);
        if (!id.empty() && std::find(ancestors_.begin(), ancestors_.end(), id) != ancestors_.end()) {
            LoopSkipped = true;
            return;
        }
        std::vector<ListedName> names;
        if (!source_.List(folder, names)) return;
        AncestorScope scope(ancestors_, id);
        std::set<std::string> folderKeys;  // a file whose caption names one of these is not shown
        for (const ListedName& n : names)
            if (n.directory) folderKeys.insert(CaptionKey(n.name));

        for (const ListedName& entry : names) {
            if (entry.name == "." || entry.name == ".." || SameTextIgnoringCase(entry.name, "desktop.ini")) continue;
            if (items_ >= kMaxItems) {
                LimitReached = true;
                return;
            }
            std::string caption = MenuCaption(entry.name, entry.directory);
            std::string full = folder + "\\" + entry.name;
            std::string key = CaptionKey(caption);
            MenuNode* item = FindChild(parent, key);
            if (entry.directory) {
                if (!item) {
                    MenuNode node;
                    node.caption = caption;
                    node.shown = source_.ShownName(full, true);
                    node.folder = true;
                    node.iconPath = full;
                    item = &Insert(parent, std::move(node));
                } else if (!item->folder) {
                    // A folder and a file of one caption: the folder wins, in the folder range.
                    MenuNode node = std::move(*item);
                    parent.children.erase(parent.children.begin() + (item - parent.children.data()));
                    node.folder = true;
                    node.tag = 0;
                    node.iconPath = full;
                    node.shown = source_.ShownName(full, true);
                    --items_;
                    item = &Insert(parent, std::move(node));
                } else if (item->shown.empty()) {
                    item->shown = source_.ShownName(full, true);  // a merged folder: any root may name it
                }
                Walk(full, *item, depth + 1);
                continue;
            }
            if (item) continue;  // the first file of a caption wins
            if (folderKeys.count(key)) continue;  // the folder of that caption is shown instead
            MenuNode node;
            node.caption = caption;
            node.shown = source_.ShownName(full, false);
            node.iconPath = full;
            node.tag = static_cast<int>(Paths.size());
            Paths.push_back(full);
            Insert(parent, std::move(node));
        }
    });
}
