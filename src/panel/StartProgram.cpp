// Starting the program of an entry or of a submenu item.
#include "panel/StartProgram.h"

#include <windows.h>
#include <shellapi.h>

#include "catalogue/Folder.h"
#include "catalogue/Shortcuts.h"
#include "platform/Paths.h"

LaunchRequest PlainLaunch(const std::string& path) {
    std::string folder = FolderPart(path);
    // "C:" alone would mean the drive's current folder, so a root keeps its backslash.
    bool driveRoot = folder.size() == 3 && folder[1] == ':';
    if (!driveRoot && !folder.empty() && folder.back() == '\\') folder.pop_back();
    return {path, folder, ""};
}

namespace {

// A shortcut's working folder may name variables ("%HOMEDRIVE%%HOMEPATH%"); the shell does not
// expand them, and a folder it cannot find keeps the program from starting.
std::string ExpandVariables(const std::string& text) {
    if (text.find('%') == std::string::npos) return text;
    DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::string out(size, '\0');
    DWORD written = ExpandEnvironmentStringsA(text.c_str(), &out[0], size);
    if (written == 0 || written > size) return text;
    out.resize(written - 1);
    return out;
}

}  // namespace

LaunchRequest LaunchRequestFor(const std::string& path) {
    LaunchRequest r = PlainLaunch(path);
    if (IsShortcutPath(path)) {
        ResolvedShortcut s = ResolveShortcut(path);
        if (s.resolved) r = {s.target, ExpandVariables(s.workingFolder), s.arguments};
    }
    return r;
}
