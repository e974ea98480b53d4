// Starting the program of an entry or of a submenu item.
#include "panel/StartProgram.h"

#include <windows.h>
#include <shellapi.h>

#include "app/MainForm.h"
#include "platform/Paths.h"

LaunchRequest PlainLaunch(const std::string& path) {
    std::string folder = FolderPart(path);
    // "C:" alone would mean the drive's current folder, so a root keeps its backslash.
    bool driveRoot = folder.size() == 3 && folder[1] == ':';
    if (!driveRoot && !folder.empty() && folder.back() == '\\') folder.pop_back();
    return {path, folder, ""};
}

void TMainForm::StartSequence(const std::string& path) {
    LaunchRequest r = PlainLaunch(path);
    if (IsShortcutPath(path)) {
        ResolvedShortcut s = ResolveShortcut(path);
        if (s.resolved) r = {s.target, s.workingFolder, s.arguments};
    }
    LaunchPath(r.file, r.workingFolder, r.arguments);
}

void TMainForm::LaunchPath(const std::string& file, const std::string& workingFolder, const std::string& arguments) {
    MainFormHide();
    // The shell reports its own failures; the panel is already gone.
    ShellExecuteA(nullptr, "Open", file.c_str(), arguments.c_str(), workingFolder.c_str(), SW_SHOWNORMAL);
}
