// Starting the program of an entry or of a submenu item.
#include "panel/StartProgram.h"

#include <windows.h>
#include <shellapi.h>

#include "catalogue/Folder.h"
#include "catalogue/Shortcuts.h"
#include "platform/Paths.h"
#include "platform/Wow64.h"

LaunchRequest PlainLaunch(const std::string& path) {
    std::string folder = FolderPart(path);
    // "C:" alone would mean the drive's current folder, so a root keeps its backslash.
    bool driveRoot = folder.size() == 3 && folder[1] == ':';
    if (!driveRoot && !folder.empty() && folder.back() == '\\') folder.pop_back();
    return {path, folder, ""};
}

LaunchRequest LaunchRequestFor(const std::string& path) {
    LaunchRequest r = PlainLaunch(path);
    if (IsShortcutPath(path)) {
        ResolvedShortcut s = ResolveShortcut(path);
        // A working folder may name variables ("%HOMEDRIVE%%HOMEPATH%"); the shell does not expand
        // them, and a folder it cannot find keeps the program from starting.
        if (s.resolved) r = {s.target, ExpandVariables(s.workingFolder), s.arguments};
    }
    // The 32-bit program on 64-bit Windows starts what the user's own shell starts: the native
    // program, not its 32-bit twin or nothing. The working folder keeps its name, which the
    // started 64-bit program reads as the native folder.
    r.file = NativeFileOf(r.file);
    return r;
}
