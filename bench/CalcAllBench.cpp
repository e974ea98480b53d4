// CalcAll on a large generated Start Menu against the I/O floor: enumerate every folder and
// load every shortcut once.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "StartMenuGenerator.h"
#include "Report.h"
#include "Timing.h"
#include "catalogue/Shortcuts.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/CatalogueSetup.h"
#include "support/TempFolder.h"

namespace {

int Floor(const std::string& folder) {
    int loaded = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            loaded += Floor(path);
        } else if (name.size() > 4 && AnsiLowerFileName(name.substr(name.size() - 4)) == ".lnk") {
            ReadShortcut(path);
            ++loaded;
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return loaded;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    TempFolder tree;
    std::string base = AnsiLowerFileName(tree.Path());
    TFolderPaths p = MakeStartMenuTree(base);
    GeneratedMenu g = GenerateStartMenu(p, base + "\\targets");
    std::printf("tree: %d main entries, %d folders, %d shortcuts in folders\n", g.mainEntries, g.folders,
                g.shortcutsInFolders);

    const int runs = 3;
    std::vector<double> floor, first, rebuild, withIcons;
    int loaded = 0;
    for (int r = 0; r < runs; ++r) {
        floor.push_back(Milliseconds([&] { loaded = Floor(p.CommonStartMenu) + Floor(p.UserStartMenu); }));
        DeleteFileA((p.AppData + "\\tab1.ini").c_str());
        DeleteFileA((p.AppData + "\\quicketab1.ini").c_str());
        PanelParts form;
        AttachCatalogue(form, p);
        first.push_back(Milliseconds([&] { form.Rebuild(nullptr); }));
        rebuild.push_back(Milliseconds([&] { form.Rebuild(nullptr); }));
        // The floor once more with what every panel of icons must ask besides: the shell's icon
        // of each shown entry, once.
        withIcons.push_back(floor.back() + Milliseconds([&] {
                                for (const TFolder& e : form.Catalogue.FolderList) {
                                    SHFILEINFOA info;
                                    SHGetFileInfoA(e.FullName.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
                                }
                            }));
        if (r == 0) {
            std::printf("entries on the panel: %zu\n", form.Catalogue.FolderList.size());
            std::printf("  of a rebuild: FillItems %.1f ms", Milliseconds([&] { form.Catalogue.FillItems(); }));
            std::printf(", icon lookups binding each folder anew %.1f ms\n", Milliseconds([&] {
                            for (const TFolder& e : form.Catalogue.FolderList) ShellIconIndex(e.FullName, form.Catalogue.DesktopFolder.Get());
                        }));
            std::printf("  ProcessItems of a first fill %.1f ms\n", Milliseconds([&] {
                            DeleteFileA((p.AppData + "\\tab1.ini").c_str());
                            DeleteFileA((p.AppData + "\\quicketab1.ini").c_str());
                            form.Catalogue.ProcessItems(form.Layout.Geometry.Columns, form.Layout.Geometry.ItemCount, form.Layout.Geometry.QuickCount);
                        }));
            std::printf("  SHGetFileInfo alone %.1f ms\n", Milliseconds([&] {
                            for (const TFolder& e : form.Catalogue.FolderList) {
                                SHFILEINFOA info;
                                SHGetFileInfoA(e.FullName.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
                            }
                        }));
        }
    }
    double f = Median(floor);
    std::printf("floor (enumerate + load %d shortcuts once): %8.1f ms\n", loaded, f);
    std::printf("CalcAll, first fill:                       %8.1f ms  (%.2fx floor)\n", Median(first),
                Median(first) / f);
    std::printf("CalcAll, rebuild:                          %8.1f ms  (%.2fx floor)\n", Median(rebuild),
                Median(rebuild) / f);
    ReportFigure("CalcAll, first fill (324 entries, 1,000 shortcuts)", Median(first), f, "ms");
    ReportFigure("CalcAll, rebuild", Median(rebuild), f, "ms");
    ReportFigure("CalcAll, first fill, vs floor + one icon query per entry", Median(first), Median(withIcons), "ms");
    ReportFigure("CalcAll, rebuild, vs floor + one icon query per entry", Median(rebuild), Median(withIcons), "ms");
    CoUninitialize();
    return 0;
}
