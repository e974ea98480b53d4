#include "app/ProgramFolder.h"

#include <windows.h>

std::string ProgramFolder;

namespace {
std::string ExecutablePath() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}
}  // namespace

std::string ExecutableFolder() {
    std::string p = ExecutablePath();
    return p.substr(0, p.find_last_of("\\/:") + 1);
}

std::string ExecutableFileName() {
    std::string p = ExecutablePath();
    return p.substr(p.find_last_of("\\/:") + 1);
}
