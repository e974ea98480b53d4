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

GeneratedMenu GenerateStartMenu(const TFolderPaths& paths, const std::string& targetFolder, bool targetsPresent) {
    GeneratedMenu g;
    Targets targets{targetFolder, SystemProgram(), targetsPresent};
    if (targetsPresent) ForceDirectories(targetFolder);
    for (int i = 0; i < 264; ++i) {
        const std::string& root = i % 2 ? paths.UserPrograms : paths.CommonPrograms;
        g.made.push_back(root + "\\" + Name("Program", i) + ".lnk");
        MakeShortcut(g.made.back(), targets.Make(Name("prog", i) + ".exe"));
        ++g.mainEntries;
    }
    int inFolders = 0;
    for (int f = 0; f < 60; ++f) {
        const std::string& root = f % 2 ? paths.UserPrograms : paths.CommonPrograms;
        std::string folder = root + "\\" + Name("Suite", f);
        ForceDirectories(folder);
        g.made.push_back(folder);
        ++g.folders;
        ++g.mainEntries;
        int count = f < 20 ? 2 : 24;  // single-program folders hold one program and one document
        for (int s = 0; s < count; ++s) {
            bool document = f < 20 && s == 1;
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
