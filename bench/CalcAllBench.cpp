// CalcAll on generated Start Menus of 50 to 5,000 main entries against floors of the same work:
// what a rebuild with nothing changed must still do, and what a first fill must do besides.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

std::vector<std::string> Names(const std::string& folder, const char* pattern, bool directories) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = fd.cFileName;
        bool directory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name != "." && name != ".." && directory == directories) names.push_back(name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

// The values of one section of a profile file, read through the system's profile API.
std::vector<std::string> SectionValues(const std::string& file, const char* section) {
    std::vector<char> buffer(1 << 20);
    DWORD n = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::string> values;
    for (const char* p = buffer.data(); p < buffer.data() + n && *p; p += lstrlenA(p) + 1) {
        const char* eq = std::strchr(p, '=');
        if (eq) values.push_back(eq + 1);
    }
    return values;
}

// What every rebuild must do, nothing changed: list the four roots, read both catalogue files,
// look whether each listed path is there, and read the shortcuts of the single-program folders
// (in every root that has a folder of that name). No icon is asked: no key changed.
void RebuildFloor(const TFolderPaths& p) {
    for (const std::string* root : {&p.CommonPrograms, &p.CommonStartMenu, &p.UserPrograms, &p.UserStartMenu}) {
        Names(*root, "*.*", false);
        Names(*root, "*.*", true);
    }
    for (const char* file : {"\\tab1.ini", "\\quicketab1.ini"}) {
        std::string path = p.AppData + file;
        for (const char* section : {"Files", "Folders", "GoodFolders", "SetupTime"}) {
            for (const std::string& value : SectionValues(path, section)) {
                GetFileAttributesA(value.c_str());
                if (std::string(section) != "GoodFolders") continue;
                std::string leaf = value.substr(value.find_last_of('\\') + 1);
                for (const std::string* root : {&p.CommonPrograms, &p.UserPrograms, &p.CommonStartMenu, &p.UserStartMenu})
                    for (const std::string& link : Names(*root + "\\" + leaf, "*.lnk", false))
                        ReadShortcut(*root + "\\" + leaf + "\\" + link);
            }
        }
    }
}

// What a first fill must do besides: read every folder's shortcuts to find the single-program
// ones, ask the shell once for each entry's icon, and write each catalogue file once.
void FirstFillExtra(const TFolderPaths& p, const std::vector<TFolder>& entries) {
    for (const std::string* root : {&p.CommonPrograms, &p.UserPrograms})
        for (const std::string& folder : Names(*root, "*.*", true))
            for (const std::string& link : Names(*root + "\\" + folder, "*.lnk", false))
                ReadShortcut(*root + "\\" + folder + "\\" + link);
    for (const TFolder& e : entries) {
        SHFILEINFOA info;
        SHGetFileInfoA(e.FullName.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    }
    for (const char* file : {"\\tab1.ini", "\\quicketab1.ini"}) {
        std::string text = ReadWholeFile(p.AppData + file);
        WriteWholeFile(p.AppData + file + ".floor", text);
        DeleteFileA((p.AppData + file + ".floor").c_str());
    }
}

double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return static_cast<double>(pmc.WorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

// Arguments: the sizes to measure (main entries); 50, 324, 1,000 and 5,000 when none are given.
int main(int argc, char** argv) {
    CoInitialize(nullptr);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {50, 324, 1000, 5000};
    for (int size : sizes) {
        TempFolder tree;
        std::string base = AnsiLowerFileName(tree.Path());
        TFolderPaths p = MakeStartMenuTree(base);
        GeneratedMenu g = GenerateStartMenu(p, base + "\\targets", true, size);
        std::printf("%d main entries (%d folders), %d shortcuts in folders\n", g.mainEntries, g.folders,
                    g.shortcutsInFolders);
        const int runs = size >= 5000 ? 1 : 3;
        std::vector<double> first, rebuild, rebuildFloor, firstFloor;
        double before = WorkingSetMb(), grown = 0;
        for (int r = 0; r < runs; ++r) {
            DeleteFileA((p.AppData + "\\tab1.ini").c_str());
            DeleteFileA((p.AppData + "\\quicketab1.ini").c_str());
            PanelParts form;
            AttachCatalogue(form, p);
            first.push_back(Milliseconds([&] { form.Rebuild(nullptr); }));
            rebuild.push_back(Milliseconds([&] { form.Rebuild(nullptr); }));
            rebuild.push_back(Milliseconds([&] { form.Rebuild(nullptr); }));
            grown = std::max(grown, WorkingSetMb() - before);
            double floor = Milliseconds([&] { RebuildFloor(p); });
            rebuildFloor.push_back(floor);
            firstFloor.push_back(floor + Milliseconds([&] { FirstFillExtra(p, form.Catalogue.FolderList()); }));
            if (r == 0) {
                // Where a rebuild's time goes, step by step (the files are in place).
                TCatalogue& c = form.Catalogue;
                const PanelGeometry& geo = form.Layout.Geometry();
                double scan = Milliseconds([&] { c.GetItems(); });
                double sort = Milliseconds([&] { c.SortItems(); });
                // Nothing changed: the reconciliation writes nothing.
                SeenAttributes seen;
                int items = geo.ItemCount, quick = geo.QuickCount;
                double process = Milliseconds([&] { c.ProcessItems(geo.Columns, items, quick, seen); });
                double fill = Milliseconds([&] { c.FillItems(seen); });
                std::printf("  entries on the panel: %zu; a rebuild's steps: scan %.1f, sort %.1f, reconcile %.1f, "
                            "read and icons %.1f ms\n",
                            c.FolderList().size(), scan, sort, process, fill);
            }
        }
        std::printf("  first fill %8.1f ms, floor %8.1f ms (%.2fx)\n", Median(first), Median(firstFloor),
                    Median(first) / Median(firstFloor));
        std::printf("  rebuild    %8.1f ms, floor %8.1f ms (%.2fx)\n", Median(rebuild), Median(rebuildFloor),
                    Median(rebuild) / Median(rebuildFloor));
        std::printf("  working set grown by the model: %.1f MB\n", grown);
        std::string n = std::to_string(size);
        ReportFigure(("CalcAll, first fill, " + n + " entries").c_str(), Median(first), Median(firstFloor), "ms");
        ReportFigure(("CalcAll, rebuild, " + n + " entries").c_str(), Median(rebuild), Median(rebuildFloor), "ms");
        ReportFigure(("working set of the model, " + n + " entries").c_str(), grown, -1, "MB");
    }
    CoUninitialize();
    return 0;
}
