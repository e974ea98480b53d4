// A folder submenu of one name under all four Start Menu roots, 100, 500 and 5,000 items: the time
// from the hover's FillMenu to the menu drawn on the screen, against the floor of enumerating the
// same trees and asking the shell for the icon of each first-level item once.
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

// Items below the folder; the first level's small icons asked once each when icons is set.
int Walk(const std::string& folder, bool icons, bool withFolders = true) {
    int items = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + "\\" + name;
        bool directory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        ++items;
        // Folders of one name merge into one item: its icon is asked once, from the first root.
        if (icons && (withFolders || !directory)) {
            SHFILEINFOA info;
            SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        }
        if (directory) items += Walk(path, false);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return items;
}

// n items under one root: a fifth loose shortcuts, a folder per 25 items filled with shortcuts,
// the first folder with a subfolder of 4.
int Populate(const std::string& folder, const std::string& targets, const std::string& tag, int n) {
    int loose = n / 5, groups = std::max(1, n / 25);
    int perGroup = (n - loose - groups - 5) / groups;
    int items = 0;
    char name[160];
    for (int s = 0; s < groups; ++s) {
        std::snprintf(name, sizeof name, "%s\\Group %d", folder.c_str(), s);
        std::string sub = name;
        ForceDirectories(sub);
        ++items;
        for (int i = 0; i < perGroup; ++i, ++items) {
            std::snprintf(name, sizeof name, "\\Tool %s %d %02d.lnk", tag.c_str(), s, i);
            MakeShortcut(sub + name, targets + "\\" + tag + std::to_string(s * 100 + i) + ".exe");
        }
    }
    std::string deep = folder + "\\Group 0\\More";
    ForceDirectories(deep);
    ++items;
    for (int i = 0; i < 4; ++i, ++items)
        MakeShortcut(deep + "\\Extra " + tag + std::to_string(i) + ".lnk", targets + "\\x" + tag + std::to_string(i) + ".exe");
    for (int i = 0; i < loose; ++i, ++items) {
        std::snprintf(name, sizeof name, "\\Program %s %03d.lnk", tag.c_str(), i);
        MakeShortcut(folder + name, targets + "\\p" + tag + std::to_string(i) + ".exe");
    }
    return items;
}

// Owns the menu as the panel does: measures and draws its icons, and ends it once it is on the
// screen and idle.
PanelParts* shown = nullptr;
int drawn = 0;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MEASUREITEM:
            shown->Submenus.MeasureMenuIcon(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DRAWITEM:
            ++drawn;
            shown->Submenus.DrawMenuIcon(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_ENTERIDLE:
            if (wParam == MSGF_MENU) EndMenu();
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    TempFolder tree;
    std::string base = AnsiLowerFileName(tree.Path());
    TFolderPaths p = MakeStartMenuTree(base);
    ForceDirectories(base + "\\targets");
    const std::string* roots[] = {&p.UserPrograms, &p.CommonPrograms, &p.UserStartMenu, &p.CommonStartMenu};
    const char* tags[] = {"u", "c", "um", "cm"};

    PanelParts form;
    AttachCatalogue(form, p);
    SHFILEINFOA small = {};
    form.Submenus.Images.list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("x.lnk", FILE_ATTRIBUTE_NORMAL, &small, sizeof small,
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
    shown = &form;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchMenuOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr,
                                 nullptr, wc.hInstance, nullptr);

    for (int size : {100, 500, 5000}) {
        std::string folder = "Suite " + std::to_string(size);
        int made = 0;
        for (int r = 0; r < 4; ++r) made += Populate(*roots[r] + "\\" + folder, base + "\\targets", tags[r], size / 4);
        const int runs = size > 1000 ? 3 : 7;
        std::vector<double> enumerate, floor, fill, toScreen;
        int listed = 0;
        for (int r = 0; r < runs; ++r) {
            enumerate.push_back(Milliseconds([&] {
                listed = 0;
                for (const std::string* root : roots) listed += Walk(*root + "\\" + folder, false);
            }));
            floor.push_back(Milliseconds([&] {
                for (const std::string* root : roots) Walk(*root + "\\" + folder, true, root == roots[0]);
            }));
            drawn = 0;
            toScreen.push_back(Milliseconds([&] {
                fill.push_back(Milliseconds([&] { form.Submenus.FillMenu(folder, form.Catalogue.DesktopFolder()); }));
                SetForegroundWindow(owner);
                form.Submenus.TrackFolderMenu(owner, 10, 10);
            }));
        }
        int top = GetMenuItemCount(form.Submenus.FolderMenu.Get());
        std::printf("%d items made, %d listed; menu: %d first-level items, %zu file paths; %d items drawn, %zu icons asked\n",
                    made, listed, top, form.Submenus.FolderMenuPaths.size(), drawn, form.Submenus.IconsAsked());
        double f = Median(floor);
        std::printf("  enumeration alone:                      %8.1f ms\n", Median(enumerate));
        std::printf("  floor (enumeration + first-level icons): %8.1f ms\n", f);
        std::printf("  FillMenu:                               %8.1f ms\n", Median(fill));
        std::printf("  FillMenu to the menu on the screen:     %8.1f ms  (%.2fx floor)\n", Median(toScreen),
                    Median(toScreen) / f);
        std::string figure = "submenu on the screen, " + std::to_string(size) + " items";
        ReportFigure(figure.c_str(), Median(toScreen), f, "ms");
    }
    DestroyWindow(owner);
    CoUninitialize();
    return 0;
}
