#include "platform/ProgramFolder.h"

#include <windows.h>

#include "platform/Paths.h"

std::string ProgramFolder;

namespace {
std::string ExecutablePath() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}
}  // namespace

std::string ExecutableFolder() { return FolderPart(ExecutablePath()); }

std::string ExecutableFileName() { return LastComponent(ExecutablePath()); }
