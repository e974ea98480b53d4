#include "catalogue/IconCache.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "catalogue/Shortcuts.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace {

// The last write, size and attributes as text, "-" when the path cannot be read.
std::string Stamp(const std::string& path, DWORD* attributes = nullptr) {
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return "-";
    if (attributes) *attributes = a.dwFileAttributes;
    char text[64];
    wsprintfA(text, "%lx.%lx.%lx.%lx.%lx", a.ftLastWriteTime.dwHighDateTime, a.ftLastWriteTime.dwLowDateTime,
              a.nFileSizeHigh, a.nFileSizeLow, a.dwFileAttributes);
    return text;
}

bool EndsWithLnk(const std::string& path) {
    return path.size() > 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".lnk") == 0;
}

// The target and the icon location a shortcut stores, read without resolving it.
std::string LinkPart(const std::string& path) {
    ShortcutInfo link;
    try {
        link = ReadShortcut(path);
    } catch (const Error&) {
        return "?";
    }
    return link.target + "|" + Stamp(link.target) + "|" + link.iconFile + "," + std::to_string(link.iconIndex) + "|" +
           (link.iconFile.empty() ? "" : Stamp(link.iconFile));
}

}  // namespace

std::string IconKeyOf(const std::string& path) {
    DWORD attributes = 0;
    std::string own = Stamp(path, &attributes);
    if (own == "-") return "";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return own + "|" + Stamp(path + "\\desktop.ini");
    return EndsWithLnk(path) ? own + "|" + LinkPart(path) : own;
}

int SystemImageCount() {
    SHFILEINFOA info = {};
    auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        "x.lnk", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES));
    return list ? ImageList_GetImageCount(list) : -1;
}

int IconIndexCache::Lookup(const std::string& path, const std::function<int()>& ask) {
    std::string key = IconKeyOf(path);
    std::string name = AnsiLowerFileName(path);
    auto it = entries_.find(name);
    if (it != entries_.end() && it->second.key == key) return it->second.index;  // only readable paths are kept
    if (it != entries_.end()) entries_.erase(it);
    int index = ask();
    if (!key.empty()) entries_[name] = {key, index};
    return index;
}

void IconIndexCache::CheckImageList(int imageCount, int iconWidth) {
    if (imageCount < imageCount_ || iconWidth != iconWidth_) entries_.clear();
    imageCount_ = imageCount;
    iconWidth_ = iconWidth;
}
