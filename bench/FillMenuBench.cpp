// FillMenu on a folder of one name under all four Start Menu roots (500 items) against the floor:
// enumerate the same trees and ask the shell for each item's small icon once.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "Report.h"
#include "Timing.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/CatalogueSetup.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

// Items below the folder; with icons, one small-icon query per item.
int Walk(const std::string& folder, bool icons) {
    int items = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + "\\" + name;
        ++items;
        if (icons) {
            SHFILEINFOA info;
            SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        }
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) items += Walk(path, icons);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return items;
}

// 125 items per root: 5 subfolders of 18 shortcuts (one of them with a subfolder of 4) and 25 shortcuts.
int Populate(const std::string& folder, const std::string& targets, const char* tag) {
    int items = 0;
    char name[96];
    for (int s = 0; s < 5; ++s) {
        std::snprintf(name, sizeof name, "%s\\Group %d", folder.c_str(), s);
        std::string sub = name;
        ForceDirectories(sub);
        ++items;
        for (int i = 0; i < 18; ++i, ++items) {
            std::snprintf(name, sizeof name, "\\Tool %s %d %02d.lnk", tag, s, i);
            MakeShortcut(sub + name, targets + "\\" + tag + std::to_string(s * 100 + i) + ".exe");
        }
    }
    std::string deep = folder + "\\Group 0\\More";
    ForceDirectories(deep);
    ++items;
    for (int i = 0; i < 4; ++i, ++items)
        MakeShortcut(deep + "\\Extra " + tag + std::to_string(i) + ".lnk", targets + "\\x" + tag + std::to_string(i) + ".exe");
    for (int i = 0; i < 25; ++i, ++items) {
        std::snprintf(name, sizeof name, "\\Program %s %02d.lnk", tag, i);
        MakeShortcut(folder + name, targets + "\\p" + tag + std::to_string(i) + ".exe");
    }
    return items;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    TempFolder tree;
    std::string base = AnsiLowerFileName(tree.Path());
    TFolderPaths p = MakeStartMenuTree(base);
    ForceDirectories(base + "\\targets");
    int made = 0;
    const std::string* roots[] = {&p.UserPrograms, &p.CommonPrograms, &p.UserStartMenu, &p.CommonStartMenu};
    const char* tags[] = {"u", "c", "um", "cm"};
    for (int r = 0; r < 4; ++r) made += Populate(*roots[r] + "\\Suite", base + "\\targets", tags[r]);

    PanelParts form;
    AttachCatalogue(form, p);
    const int runs = 7;
    std::vector<double> enumerate, floor, fill;
    int listed = 0;
    for (int r = 0; r < runs; ++r) {
        enumerate.push_back(Milliseconds([&] {
            listed = 0;
            for (const std::string* root : roots) listed += Walk(*root + "\\Suite", false);
        }));
        floor.push_back(Milliseconds([&] {
            for (const std::string* root : roots) Walk(*root + "\\Suite", true);
        }));
        fill.push_back(Milliseconds([&] { form.Submenus.FillMenu("Suite", form.Catalogue.DesktopFolder.Get()); }));
    }
    int top = GetMenuItemCount(form.Submenus.FolderMenu.Get());
    std::printf("tree: %d items made, %d listed, menu: %d top-level items, %zu file paths\n", made, listed, top,
                form.Submenus.FolderMenuPaths.size());
    double f = Median(floor);
    std::printf("enumeration alone:                     %8.1f ms\n", Median(enumerate));
    std::printf("floor (enumeration + one icon each):   %8.1f ms\n", f);
    std::printf("FillMenu:                              %8.1f ms  (%.2fx floor)\n", Median(fill), Median(fill) / f);
    ReportFigure("FillMenu, 500 items", Median(fill), f, "ms");
    CoUninitialize();
    return 0;
}
