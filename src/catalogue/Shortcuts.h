// Reading, classifying and resolving shortcuts; icons of files and folders.
#pragma once
#include <shlobj.h>

#include <map>
#include <string>

#include "platform/ComPtr.h"

#include "catalogue/FolderPaths.h"

struct ShortcutInfo {
    std::string target;
    std::string workingFolder;
    std::string commandLine;  // target, one blank, arguments
    std::string iconFile;     // empty when the shortcut stores no icon of its own
    int iconIndex = 0;
};

// The shortcut as stored, not resolved. Raises Error when the shell link object is not available.
ShortcutInfo ReadShortcut(const std::string& shortcutPath);
// Program shortcuts directly inside the folder; a name equal to lastName (just counted) is not
// counted again. lastName becomes the name of the last one counted.
int CountPrograms(const std::string& folder, std::string& lastName);
// The file name of the one program shortcut of the folder and its same-named twins, or fallback.
std::string SingleProgram(const TFolderPaths& roots, const std::string& folder, const std::string& fallback);

struct ResolvedShortcut {
    bool resolved = false;
    std::string target, arguments, workingFolder;
};
ResolvedShortcut ResolveShortcut(const std::string& shortcutPath);
std::string ItemParsingName(LPCITEMIDLIST item);

// Index into the system image list. When the folder offers no icon object, or the object has no
// index for the item, the shell's file information is asked instead (which adds the icon to the
// list if needed); 0 when that fails too.
int ShellIconIndex(const std::string& path, IShellFolder* desktop, class ShellFolderCache* folders = nullptr);

// Bound shell folders by path, so that one rebuild parses and binds each folder once.
class ShellFolderCache {
public:
    // The folder's IShellFolder, bound through the desktop on first use; null when that fails.
    IShellFolder* Get(const std::string& folderPart, IShellFolder* desktop);
    void Clear() { folders_.clear(); }

private:
    std::map<std::string, ComPtr<IShellFolder>> folders_;
};
