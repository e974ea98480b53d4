#include "catalogue/Folder.h"

#include "platform/Text.h"

bool IsShortcutPath(const std::string& path) { return AnsiLowerFileName(ExtensionOf(path)) == ".lnk"; }

std::string CaptionOfPath(const std::string& path) {
    std::string name = LastComponent(path);
    return IsShortcutPath(path) ? name.substr(0, name.size() - 4) : name;
}
