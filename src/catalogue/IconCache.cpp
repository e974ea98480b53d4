#include "catalogue/IconCache.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/ComPtr.h"
#include "platform/Text.h"

namespace {

std::string Stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return "-";
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
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())))
        return "?";
    std::wstring wide = ToWide(path);
    if (FAILED(file->Load(wide.c_str(), STGM_READ))) return "?";
    char target[MAX_PATH] = {}, icon[MAX_PATH] = {};
    int iconIndex = 0;
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetIconLocation(icon, MAX_PATH, &iconIndex);
    char expanded[MAX_PATH] = {};
    if (!ExpandEnvironmentStringsA(target, expanded, MAX_PATH)) lstrcpynA(expanded, target, MAX_PATH);
    return std::string(expanded) + "|" + Stamp(expanded) + "|" + icon + "," + std::to_string(iconIndex) + "|" +
           (icon[0] ? Stamp(icon) : "");
}

}  // namespace

std::string IconKeyOf(const std::string& path) {
    std::string own = Stamp(path);
    if (own == "-") return "";
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return own + "|" + Stamp(path + "\\desktop.ini");
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
