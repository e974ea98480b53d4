#include "StartMenuGenerator.h"

#include <cstdio>

#include "platform/Files.h"
#include "support/Shortcut.h"

namespace {
std::string Name(const char* prefix, int i) {
    char b[64];
    std::snprintf(b, sizeof b, "%s %03d", prefix, i);
    return b;
}
}  // namespace

GeneratedMenu GenerateStartMenu(const TFolderPaths& paths, const std::string& targets) {
    GeneratedMenu g;
    for (int i = 0; i < 264; ++i) {
        const std::string& root = i % 2 ? paths.UserPrograms : paths.CommonPrograms;
        MakeShortcut(root + "\\" + Name("Program", i) + ".lnk", targets + "\\" + Name("prog", i) + ".exe");
        ++g.mainEntries;
    }
    int inFolders = 0;
    for (int f = 0; f < 60; ++f) {
        const std::string& root = f % 2 ? paths.UserPrograms : paths.CommonPrograms;
        std::string folder = root + "\\" + Name("Suite", f);
        ForceDirectories(folder);
        ++g.folders;
        ++g.mainEntries;
        int count = f < 20 ? 2 : 24;  // single-program folders hold one program and one document
        for (int s = 0; s < count; ++s) {
            bool document = f < 20 && s == 1;
            std::string target = targets + "\\" + Name("suite", f) + Name(" tool", s) + (document ? ".txt" : ".exe");
            MakeShortcut(folder + "\\" + Name("Tool", s) + ".lnk", target);
            ++inFolders;
        }
    }
    g.shortcutsInFolders = inFolders;
    for (int q = 0; q < 6; ++q)
        MakeShortcut(paths.UserStartMenu + "\\" + Name("Quick", q) + ".lnk", targets + "\\" + Name("quick", q) + ".exe");
    return g;
}
