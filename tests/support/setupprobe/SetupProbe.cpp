// What the installer test asks of Windows itself:
//   setupprobe hotkey <shortcut>   the shortcut's hotkey as IShellLink::GetHotkey gives it (hex)
//   setupprobe parent <exe name>   the image name of the parent of the running process of that
//                                  name, "(gone)" when the parent has ended, "(none)" without one
//   setupprobe shown <class>       1 when a top-level window of that class is visible, else 0
//   setupprobe link <shortcut> <target> <arguments>   makes a shortcut
//   setupprobe click <data folder> <entry path>       clicks the entry's cell on the shown panel
//   setupprobe hold <file> <ms>    keeps the file mapped as an image for that long, as a program
//                                  that loaded a library does
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "panel/Geometry.h"
#include "platform/ComPtr.h"
#include "platform/Text.h"
#include "support/CatalogueSetup.h"
#include "support/Input.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

int Hotkey(const char* path) {
    CoInitialize(nullptr);
    WORD key = 0;
    {
        ComPtr<IShellLinkA> link;
        ComPtr<IPersistFile> file;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
            FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
            FAILED(file->Load(ToWide(path).c_str(), STGM_READ)) || FAILED(link->GetHotkey(&key))) {
            std::printf("cannot read %s\n", path);
            return 1;
        }
    }
    CoUninitialize();
    std::printf("0x%04x\n", key);
    return 0;
}

int Parent(const char* exe) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32 p{};
    p.dwSize = sizeof p;
    DWORD parent = 0;
    bool found = false;
    for (BOOL ok = Process32First(snap, &p); ok && !found; ok = Process32Next(snap, &p))
        if (lstrcmpiA(p.szExeFile, exe) == 0) {
            found = true;
            parent = p.th32ParentProcessID;
        }
    std::string name = parent ? "(gone)" : "(none)";
    for (BOOL ok = Process32First(snap, &p); ok && found && parent; ok = Process32Next(snap, &p))
        if (p.th32ProcessID == parent) name = p.szExeFile;
    CloseHandle(snap);
    if (!found) {
        std::printf("no process %s\n", exe);
        return 1;
    }
    std::printf("%s\n", name.c_str());
    return 0;
}

int Hold(const char* file, const char* ms) {
    HMODULE image = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    if (!image) {
        std::printf("cannot map %s: %lu\n", file, GetLastError());
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::atoi(ms)));
    FreeLibrary(image);
    return 0;
}

// The middle of the entry's cell, as the panel lays its grid out (the e2e tests' own rule).
int ClickEntry(const std::string& data, const std::string& entry) {
    HWND panel = FindWindowA("TMainForm", nullptr);
    int slot = std::atoi(SlotKeyOf(ReadWholeFile(data + "\\tab1.ini"), entry).c_str());
    if (!panel || !IsWindowVisible(panel) || slot <= 0) {
        std::printf("no panel or no slot (%d)\n", slot);
        return 1;
    }
    PanelGeometry g;
    g.CellWidth = GetSystemMetrics(SM_CXICONSPACING);
    g.CellHeight = GetSystemMetrics(SM_CYICONSPACING);
    g.QuickAreaHeight =
        static_cast<int>(GetPrivateProfileIntA("Resolution", "quickeHeight", 0, (data + "\\Main.ini").c_str())) *
        g.CellHeight;
    g.GridTop = ComputeGridTop(g);
    Point cell = MainCellOrigin(g, slot);
    RECT r;
    GetWindowRect(panel, &r);
    Click({r.left + cell.x + g.CellWidth / 2, r.top + cell.y + g.CellHeight / 2});
    std::printf("clicked slot %d\n", slot);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string what = argc >= 3 ? argv[1] : "";
    if (what == "hotkey") return Hotkey(argv[2]);
    if (what == "parent") return Parent(argv[2]);
    if (what == "hold" && argc == 4) return Hold(argv[2], argv[3]);
    if (what == "link" && argc == 5) {
        CoInitialize(nullptr);
        return MakeShortcut(argv[2], argv[3], argv[4], "", false) ? 0 : 1;
    }
    if (what == "click" && argc == 4) return ClickEntry(argv[2], argv[3]);
    if (what == "shown") {
        HWND w = FindWindowA(argv[2], nullptr);
        std::printf("%d\n", w && IsWindowVisible(w) ? 1 : 0);
        return 0;
    }
    std::printf("usage: setupprobe hotkey <shortcut> | parent <exe name> | hold <file> <ms> | shown <class>\n");
    return 2;
}
