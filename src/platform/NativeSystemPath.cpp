#include "platform/NativeSystemPath.h"

#include <algorithm>

#include "platform/Paths.h"

namespace {

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

// Folder names of the system are ASCII; the comparison ignores their case and which delimiter
// stands between them.
std::string Folded(std::string text) {
    std::replace(text.begin(), text.end(), '/', '\\');
    return AsciiLower(std::move(text));
}

bool SameAscii(const std::string& a, size_t at, const std::string& b) {
    return a.size() - at >= b.size() && Folded(a.substr(at, b.size())) == Folded(b);
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
