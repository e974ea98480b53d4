// What the installer test asks of Windows itself:
//   setupprobe hotkey <shortcut>   the shortcut's hotkey as IShellLink::GetHotkey gives it (hex)
//   setupprobe parent <exe name>   the image name of the parent of the running process of that
//                                  name, "(gone)" when the parent has ended, "(none)" without one
//   setupprobe hold <file> <ms>    keeps the file mapped as an image for that long, as a program
//                                  that loaded a library does
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ComPtr.h"
#include "platform/Text.h"

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

}  // namespace

int main(int argc, char** argv) {
    std::string what = argc >= 3 ? argv[1] : "";
    if (what == "hotkey") return Hotkey(argv[2]);
    if (what == "parent") return Parent(argv[2]);
    if (what == "hold" && argc == 4) return Hold(argv[2], argv[3]);
    std::printf("usage: setupprobe hotkey <shortcut> | parent <exe name> | hold <file> <ms>\n");
    return 2;
}
