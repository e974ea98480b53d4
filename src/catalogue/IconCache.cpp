#include "catalogue/IconCache.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>

#include "catalogue/Shortcuts.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace {

std::string StampOf(const WIN32_FILE_ATTRIBUTE_DATA& a) {
    char text[64];
    wsprintfA(text, "%lx.%lx.%lx.%lx.%lx", a.ftLastWriteTime.dwHighDateTime, a.ftLastWriteTime.dwLowDateTime,
              a.nFileSizeHigh, a.nFileSizeLow, a.dwFileAttributes);
    return text;
}

// The last write, size and attributes as text, "-" when the path cannot be read.
std::string Stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA a;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a) ? StampOf(a) : "-";
}

bool EndsWithLnk(const std::string& path) {
    return path.size() > 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".lnk") == 0;
}

// The target and the icon location a shortcut stores, read without resolving it; "?" when the
// shell link object cannot be had.
void ReadLinkPart(const std::string& path, std::string& part, std::string& target, std::string& iconFile) {
    ShortcutInfo link;
    try {
        link = ReadShortcut(path);
    } catch (const Error&) {
        part = "?";
        target.clear();
        iconFile.clear();
        return;
    }
    part = link.target + "|" + link.iconFile + "," + std::to_string(link.iconIndex);
    target = link.target;
    iconFile = link.iconFile;
}

// The stored part followed by what the files it names are now.
std::string LinkKey(const std::string& part, const std::string& target, const std::string& iconFile) {
    if (part == "?") return part;
    std::string targetStamp = Stamp(target);
    // Installers' shortcuts often take the icon of the program they start: looked at once.
    return part + "|" + targetStamp + "|" +
           (iconFile.empty() ? "" : lstrcmpiA(iconFile.c_str(), target.c_str()) == 0 ? targetStamp : Stamp(iconFile));
}

std::string KeyOf(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA* known,
                  const std::function<std::string(const std::string&, const std::string&)>& link) {
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!known && !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return "";
    if (!known) known = &a;
    std::string own = StampOf(*known);
    if (known->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return own + "|" + Stamp(path + "\\desktop.ini");
    return EndsWithLnk(path) ? own + "|" + link(path, own) : own;
}

}  // namespace

std::string IconKeyOf(const std::string& path) {
    return KeyOf(path, nullptr, [](const std::string& link, const std::string&) {
        std::string part, target, iconFile;
        ReadLinkPart(link, part, target, iconFile);
        return LinkKey(part, target, iconFile);
    });
}

std::string IconIndexCache::KeyOf(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA* own) {
    return ::KeyOf(path, own, [&](const std::string& link, const std::string& own) {
        LinkRead& read = links_[AnsiLowerFileName(link)];
        // A shortcut whose own file is unchanged stores what it stored: only the files it names are
        // looked at again. A failed read is tried again next time.
        if (read.stamp != own || read.part == "?") {
            read.stamp = own;
            ReadLinkPart(link, read.part, read.target, read.iconFile);
        }
        return LinkKey(read.part, read.target, read.iconFile);
    });
}

int SystemImageCount() {
    SHFILEINFOA info = {};
    auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        "x.lnk", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES));
    return list ? ImageList_GetImageCount(list) : -1;
}

int IconIndexCache::Lookup(const std::string& path, const std::function<int()>& ask,
                           const WIN32_FILE_ATTRIBUTE_DATA* own) {
    std::string key = KeyOf(path, own);
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
