// The folder submenu as a tree: merging the Start Menu roots, ordering, bounds; no window.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Numbers.h"

struct MenuNode {
    std::string caption;  // what merging and the order go by: from the file name
    std::wstring shown;   // what the item shows instead, when the shell names it otherwise
    bool folder = false;
    int tag = 0;   // folder: how many children are folders (they stand first); file: path index
    std::string iconPath;  // whose icon the item shows, asked for when the item is drawn
    std::vector<MenuNode> children;
    std::string key;  // CaptionKey(caption)
    // The children's keys, so that large folders are not searched item by item.
    std::set<std::string> keys;
};

struct ListedName {
    std::string name;
    bool directory = false;
};

// What the walk needs from the file system; tests give it a tree of their own.
class FolderSource {
public:
    virtual ~FolderSource() = default;
    // The folder's names in the file system's order; false when it cannot be listed.
    virtual bool List(const std::string& folder, std::vector<ListedName>& names) = 0;
    // Same text for the same folder reached by two paths (a junction); empty when unknown.
    // May raise: a fault ends the listing of that one folder.
    virtual std::string Identity(const std::string& folder) = 0;
    // The name Explorer shows for the item when it is not the file's own; empty otherwise.
    virtual std::wstring ShownName(const std::string& /*path*/, bool /*directory*/) { return {}; }
};

// Where a new item goes among the children: folders first, each group in byte order.
// folderCount is the number of leading folder items and grows when a folder is inserted.
size_t MenuInsertIndex(const std::vector<MenuNode>& children, const std::string& caption, int& folderCount,
                       bool isFolder);

// Equal for captions that meet: case-insensitively, hot-key ampersands removed.
std::string CaptionKey(const std::string& caption);

// A file's caption: its name without the last extension.
std::string MenuCaption(const std::string& name, bool directory);

// The widest caption plus room for the icon, the margins and the arrow (60 pixels at 96 DPI).
int MenuTextWidth(const std::vector<std::string>& captions, const std::function<int(const std::string&)>& measure,
                  int dpi = kBaseDpi);

class FolderMenuBuilder {
public:
    static constexpr int kMaxDepth = 16;
    static constexpr size_t kMaxItems = 10000;

    explicit FolderMenuBuilder(FolderSource& source) : source_(source) {}

    // Adds the folder's contents, recursively, below parent.
    void AddSubMenu(const std::string& folder, MenuNode& parent);

    std::vector<std::string> Paths;  // a file item's tag indexes this
    bool LoopSkipped = false;        // a folder that is its own ancestor was left out
    bool LimitReached = false;       // the depth or item bound cut the walk short

private:
    void Walk(const std::string& folder, MenuNode& parent, int depth);
    MenuNode* FindChild(MenuNode& parent, const std::string& key);
    MenuNode& Insert(MenuNode& parent, MenuNode node);

    FolderSource& source_;
    std::vector<std::string> ancestors_;
    size_t items_ = 0;
};
