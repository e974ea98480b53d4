#include "StartMenuGenerator.h"

#include <windows.h>

#include <cstdio>

#include "platform/Files.h"
#include "support/Shortcut.h"

namespace {
std::string Name(const char* prefix, int i) {
    char b[64];
    std::snprintf(b, sizeof b, "%s %03d", prefix, i);
    return b;
}

// A real Start Menu's shortcuts point at programs that are there, each with its own icon to
// extract; a tree of dangling links would time the shell's failure path instead.
struct Targets {
    std::string folder, program;
    bool present;
    std::string Make(const std::string& name) const {
        std::string path = folder + "\\" + name;
        if (!present) return path;
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".txt") == 0) {
            HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        } else if (!CreateHardLinkA(path.c_str(), program.c_str(), nullptr)) {
            CopyFileA(program.c_str(), path.c_str(), FALSE);
        }
        return path;
    }
};

std::string SystemProgram() {
    char b[MAX_PATH];
    GetSystemDirectoryA(b, MAX_PATH);
    return std::string(b) + "\\notepad.exe";
}
}  // namespace

GeneratedMenu GenerateStartMenu(const TFolderPaths& paths, const std::string& targetFolder, bool targetsPresent,
                                int mainEntries) {
    GeneratedMenu g;
    Targets targets{targetFolder, SystemProgram(), targetsPresent};
    if (targetsPresent) ForceDirectories(targetFolder);
    // 264 of every 324 entries are shortcuts, the rest folders.
    int folders = mainEntries * 60 / 324, shortcuts = mainEntries - folders;
    for (int i = 0; i < shortcuts; ++i) {
        const std::string& root = i % 2 ? paths.UserPrograms : paths.CommonPrograms;
        g.made.push_back(root + "\\" + Name("Program", i) + ".lnk");
        MakeShortcut(g.made.back(), targets.Make(Name("prog", i) + ".exe"));
        ++g.mainEntries;
    }
    int inFolders = 0;
    for (int f = 0; f < folders; ++f) {
        const std::string& root = f % 2 ? paths.UserPrograms : paths.CommonPrograms;
        std::string folder = root + "\\" + Name("Suite", f);
        ForceDirectories(folder);
        g.made.push_back(folder);
        ++g.folders;
        ++g.mainEntries;
        // A third are single-program folders (one program and one document), 40 hold 24 programs,
        // any more hold 6.
        bool single = f % 3 == 0;
        int count = single ? 2 : (f - f / 3 <= 40 ? 24 : 6);
        for (int s = 0; s < count; ++s) {
            bool document = single && s == 1;
            std::string target = targets.Make(Name("suite", f) + Name(" tool", s) + (document ? ".txt" : ".exe"));
            MakeShortcut(folder + "\\" + Name("Tool", s) + ".lnk", target);
            ++inFolders;
        }
    }
    g.shortcutsInFolders = inFolders;
    for (int q = 0; q < 6; ++q) {
        g.made.push_back(paths.UserStartMenu + "\\" + Name("Quick", q) + ".lnk");
        MakeShortcut(g.made.back(), targets.Make(Name("quick", q) + ".exe"));
    }
    return g;
}
