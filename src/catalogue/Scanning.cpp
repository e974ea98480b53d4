// Collecting the names directly inside the Programs and Start Menu folders.
#include <windows.h>

#include "catalogue/Catalogue.h"
#include "catalogue/EntryName.h"
#include "platform/Files.h"
#include "platform/Guarded.h"
#include "platform/Handle.h"
#include "platform/Text.h"

void TCatalogue::GetItems() {
    rootScans_.clear();
    unknownRoots_.clear();
    Guarded("GetItems", [&] {
        quickNames_.Clear();
        programNames_.Clear();
        ProcessPath(FolderPaths.CommonPrograms, "", programNames_);
        ProcessPath(FolderPaths.CommonStartMenu, FolderPaths.CommonPrograms, quickNames_);
        ProcessPath(FolderPaths.UserPrograms, "", programNames_);
        ProcessPath(FolderPaths.UserStartMenu, FolderPaths.UserPrograms, quickNames_);
    });
}

namespace {

// A folder that is not there differs from one that does not answer: only the first is empty.
RootScan LookAtRoot(const std::string& folder) {
    if (folder.empty()) return RootScan::NotNamed;
    DWORD a = GetFileAttributesA(folder.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? RootScan::Missing : RootScan::Unreadable;
    }
    return a & FILE_ATTRIBUTE_DIRECTORY ? RootScan::Listed : RootScan::Missing;
}

}  // namespace

void TCatalogue::ProcessPath(const std::string& folder, const std::string& excluded, TNameList& names) {
    RootScan& scan = rootScans_[AnsiLowerFileName(folder)];
    scan = LookAtRoot(folder);
    Guarded("ProcessPath", [&] {
        if (scan != RootScan::Listed) return;
        WIN32_FIND_DATAA fd;
        UniqueFindHandle find(FindFirstFileA((folder + "\\*.*").c_str(), &fd));
        if (!find) {
            scan = RootScan::Unreadable;  // even an empty folder lists "." and ".."
            return;
        }
        do {
            std::string name = fd.cFileName;
            std::string path = folder + "\\" + name;
            if (name == "." || name == ".." || AnsiLowerFileName(name) == "desktop.ini") continue;
            std::string lowerPath = AnsiLowerFileName(path);
            if (lowerPath == AnsiLowerFileName(excluded) || lowerPath == AnsiLowerFileName(FolderPaths.UserStartup) ||
                lowerPath == AnsiLowerFileName(FolderPaths.CommonStartup))
                continue;
            NameFault fault = FaultOfName(name, folder.size());
            if (fault != NameFault::None && fault != NameFault::ControlCharacter) {
                // The file's short alias reaches it through the ANSI calls, the same on every
                // rebuild: the entry keeps its slot and can be started.
                std::string alias = fd.cAlternateFileName;
                if (!alias.empty() && FaultOfName(alias, folder.size()) == NameFault::None) {
                    names.Add(alias);
                    continue;
                }
            }
            if (fault != NameFault::None) {
                // Left out, once per rebuild: kept, it would break the files or churn for ever. An
                // unwritable log must not end the scan, or the folder's other entries would go.
                WriteLogOrShow("ProcessPath" + folder + "\\" + SafeName(name) + " is left out: it " + FaultText(fault));
                continue;
            }
            names.Add(name);
        } while (FindNextFileA(find.Get(), &fd));
        // A share that drops out while it is listed gives only part of its names.
        if (GetLastError() != ERROR_NO_MORE_FILES) scan = RootScan::Unreadable;
    });
}
