// The seven special folders the program reads, looked up once and kept in lower case.
#pragma once
#include <functional>
#include <string>

struct TFolderPaths {
    std::string CommonPrograms;
    std::string UserPrograms;
    std::string AppData;
    std::string UserStartMenu;
    std::string CommonStartMenu;
    std::string UserStartup;
    std::string CommonStartup;
};

// CSIDL values, in the order they are asked for.
namespace csidl {
constexpr int CommonPrograms = 23, UserPrograms = 2, AppData = 26, UserStartMenu = 11,
              CommonStartMenu = 22, UserStartup = 7, CommonStartup = 24;
}

// Pure core: lookup answers one CSIDL (empty when the system has none), lower turns it to lower case.
TFolderPaths ResolveFolderPaths(const std::function<std::string(int)>& lookup,
                                const std::function<std::string(const std::string&)>& lower);

// Asks the shell (SHGetFolderPathA).
TFolderPaths LoadFolderPaths();
