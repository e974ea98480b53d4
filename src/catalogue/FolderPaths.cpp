#include "catalogue/FolderPaths.h"

TFolderPaths ResolveFolderPaths(const std::function<std::string(int)>& lookup,
                                const std::function<std::string(const std::string&)>& lower) {
    TFolderPaths p;
    auto get = [&](int id) { return lower(lookup(id)); };
    p.CommonPrograms = get(csidl::CommonPrograms);
    p.UserPrograms = get(csidl::UserPrograms);
    // Filled only once the user's folder is known; taken right after its own lookup it
    // could only ever copy an empty text.
    if (p.CommonPrograms.empty()) p.CommonPrograms = p.UserPrograms;
    p.AppData = get(csidl::AppData);
    p.UserStartMenu = get(csidl::UserStartMenu);
    p.CommonStartMenu = get(csidl::CommonStartMenu);
    if (p.CommonStartMenu.empty()) p.CommonStartMenu = p.UserStartMenu;
    p.UserStartup = get(csidl::UserStartup);
    p.CommonStartup = get(csidl::CommonStartup);
    if (p.CommonStartup.empty()) p.CommonStartup = p.UserStartup;
    return p;
}
