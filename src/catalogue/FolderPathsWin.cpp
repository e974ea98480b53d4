// The shell side of the folder lookup.
#include <windows.h>
#include <shlobj.h>

#include "catalogue/FolderPaths.h"
#include "platform/Text.h"

TFolderPaths LoadFolderPaths() {
    auto lookup = [](int id) -> std::string {
        char path[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, 0, path))) return {};
        return path;
    };
    return ResolveFolderPaths(lookup, AnsiLowerFileName);
}
