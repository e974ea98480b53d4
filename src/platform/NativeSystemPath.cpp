#include "platform/NativeSystemPath.h"

namespace {

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

// Folder names of the system are ASCII; the comparison ignores their case.
bool SameAscii(const std::string& a, size_t at, const std::string& b) {
    if (a.size() - at < b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i) {
        char x = a[at + i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (IsDelimiter(x) && IsDelimiter(y)) continue;
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::string SysnativePath(const std::string& path, const std::string& windowsFolder) {
    std::string windows = windowsFolder;
    while (!windows.empty() && IsDelimiter(windows.back())) windows.pop_back();
    if (windows.empty() || !SameAscii(path, 0, windows)) return "";
    size_t at = windows.size();
    if (at >= path.size() || !IsDelimiter(path[at])) return "";
    ++at;
    const std::string system32 = "system32";
    if (!SameAscii(path, at, system32)) return "";
    size_t end = at + system32.size();
    if (end < path.size() && !IsDelimiter(path[end])) return "";
    return path.substr(0, at) + "Sysnative" + path.substr(end);
}
