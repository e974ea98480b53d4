#include "platform/Files.h"

#include <windows.h>

bool DirectoryExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& path) {
    std::string p = path;
    while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    if (p.empty() || DirectoryExists(p)) return !p.empty();
    size_t cut = p.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0 && !ForceDirectories(p.substr(0, cut))) return false;
    return CreateDirectoryA(p.c_str(), nullptr) || DirectoryExists(p);
}
