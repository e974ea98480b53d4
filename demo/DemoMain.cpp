// The demo's helper, run inside the demo's Wine prefix:
//   kestrola_demo startmenu     a lived-in Start Menu of the programs Wine ships, and the file
//                               classes the shell needs to show their own icons
//   kestrola_demo open S        opens the running copy's panel, as a second start does, and waits
//                               at most S seconds for it on the screen (exit 0) or not
//   kestrola_demo point X Y     moves the pointer to the panel's client point X, Y
//   kestrola_demo icon PATH...  prints the shell's image list index of each path
//   kestrola_demo menu S        waits at most S seconds for a popup menu on the screen
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Files.h"
#include "support/Input.h"
#include "support/Shortcut.h"

namespace {

std::string Folder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void SetClassValue(const char* key, const char* name, const char* value) {
    HKEY k;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
    RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(lstrlenA(value) + 1));
    RegCloseKey(k);
}

// A fresh prefix leaves .exe without its class, so the shell shows every program and every
// shortcut to one with the blank document icon.
void RegisterFileClasses() {
    SetClassValue(".exe", nullptr, "exefile");
    SetClassValue(".com", nullptr, "comfile");
    SetClassValue("comfile\\DefaultIcon", nullptr, "%1");
    SetClassValue(".bat", nullptr, "batfile");
    SetClassValue(".txt", nullptr, "txtfile");
    SetClassValue("txtfile", nullptr, "Text Document");
    SetClassValue("txtfile\\DefaultIcon", nullptr, "%SystemRoot%\\system32\\notepad.exe,0");
    SetClassValue("txtfile\\shell\\open\\command", nullptr, "%SystemRoot%\\system32\\notepad.exe \"%1\"");
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

int MakeStartMenu() {
    RegisterFileClasses();
    std::string system = Folder(CSIDL_SYSTEM), windows = Folder(CSIDL_WINDOWS), files = Folder(CSIDL_PROGRAM_FILES);
    std::string commonPrograms = Folder(CSIDL_COMMON_PROGRAMS), userPrograms = Folder(CSIDL_PROGRAMS);
    std::string commonMenu = Folder(CSIDL_COMMON_STARTMENU), userMenu = Folder(CSIDL_STARTMENU);
    std::string wordpad = files + "\\Windows NT\\Accessories\\wordpad.exe";
    struct Item {
        const std::string& root;
        const char* link;
        std::string target;
        std::string icon;  // where the program itself has none in Wine: a fitting one that is there
    } items[] = {
        // All users: folders with subfolders, one folder of a single program, programs.
        {commonPrograms, "Accessories\\Notepad", system + "\\notepad.exe", ""},
        {commonPrograms, "Accessories\\WordPad", wordpad, ""},
        {commonPrograms, "Accessories\\Clock", system + "\\clock.exe", ""},
        {commonPrograms, "Accessories\\System Tools\\Task Manager", system + "\\taskmgr.exe", ""},
        {commonPrograms, "Accessories\\System Tools\\Registry Editor", windows + "\\regedit.exe", ""},
        {commonPrograms, "Accessories\\System Tools\\System Information", system + "\\msinfo32.exe", ""},
        {commonPrograms, "Accessories\\Entertainment\\Windows Media Player",
         files + "\\Windows Media Player\\wmplayer.exe", ""},
        {commonPrograms, "Games\\Minesweeper", system + "\\winemine.exe", ""},
        {commonPrograms, "Internet Explorer", files + "\\Internet Explorer\\iexplore.exe", ""},
        {commonPrograms, "Command Prompt", system + "\\cmd.exe", ""},
        {commonPrograms, "Control Panel", system + "\\control.exe", system + "\\winecfg.exe"},
        {commonPrograms, "File Manager", system + "\\winefile.exe", ""},
        {commonPrograms, "Registry Editor", windows + "\\regedit.exe", ""},
        // The current user's: merged with the all-users folders of the same name.
        {userPrograms, "Accessories\\About Wine", system + "\\winver.exe", ""},
        {userPrograms, "Wine Configuration", system + "\\winecfg.exe", ""},
        {userPrograms, "Write", system + "\\write.exe", wordpad},
        {userPrograms, "Help", system + "\\winhlp32.exe", ""},
        {userPrograms, "Task Manager", system + "\\taskmgr.exe", ""},
        {userPrograms, "Developer Tools\\OLE Viewer", system + "\\oleview.exe", ""},
        {userPrograms, "Developer Tools\\Wine Console", system + "\\wineconsole.exe", system + "\\cmd.exe"},
        {userPrograms, "Developer Tools\\Debugger", system + "\\winedbg.exe", ""},
        {userPrograms, "Developer Tools\\Installer", system + "\\msiexec.exe", ""},
        // The quick area: shortcuts directly in the Start Menu folders.
        {commonMenu, "Windows Explorer", windows + "\\explorer.exe", system + "\\winefile.exe"},
        {userMenu, "Notepad", system + "\\notepad.exe", ""},
        {userMenu, "Uninstall Programs", system + "\\uninstaller.exe", system + "\\msiexec.exe"},
    };
    int made = 0;
    for (const Item& item : items) {
        std::string link = item.root + "\\" + item.link + ".lnk";
        if (FileExists(link)) continue;
        ForceDirectories(link.substr(0, link.find_last_of('\\')));
        if (!FileExists(item.target)) std::fprintf(stderr, "not in this prefix: %s\n", item.target.c_str());
        // Each stores its program's icon, as installers' shortcuts do: Wine's shell does not
        // look through a shortcut to its target's icon.
        if (MakeShortcut(link, item.target, "", "", false, item.icon.empty() ? item.target : item.icon, 0)) ++made;
        else std::fprintf(stderr, "cannot make %s\n", link.c_str());
    }
    std::printf("%d shortcuts made\n", made);
    return 0;
}

HWND Panel() {
    HWND w = FindWindowA("TMainForm", nullptr);
    return w && IsWindowVisible(w) ? w : nullptr;
}

// 0 once the condition holds, polled every 100 ms for at most the seconds given; 1 if it never did.
template <typename Condition>
int Within(int seconds, Condition holds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(seconds) * 1000; Sleep(100))
        if (holds()) return 0;
    return 1;
}

int PointAt(int x, int y) {
    HWND panel = Panel();
    if (!panel) return 1;
    POINT p{x, y};
    ClientToScreen(panel, &p);
    // From a pixel beside it: a pointer already resting there would make no move at all.
    MoveTo({p.x - 1, p.y - 1});
    Sleep(50);
    MoveTo(p);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CoInitialize(nullptr);
    std::string command = argc > 1 ? argv[1] : "";
    int result = 2;
    if (command == "startmenu") result = MakeStartMenu();
    else if (command == "open" && argc > 2) {
        // The running copy takes the message once its window is made.
        int seconds = std::atoi(argv[2]);
        result = Within(seconds, [] { return FindWindowA("TMainForm", nullptr) != nullptr; });
        if (result == 0) result = Within(seconds, [] {
            if (!Panel()) PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("KestrolaShowOldInstanceMenu"), 0, 0);
            return Panel() != nullptr;
        });
    }
    else if (command == "icon") {
        for (int i = 2; i < argc; ++i) {
            SHFILEINFOA info = {};
            SHGetFileInfoA(argv[i], 0, &info, sizeof info, SHGFI_SYSICONINDEX);
            std::printf("%d %s\n", info.iIcon, argv[i]);
        }
        result = 0;
    } else if (command == "menu" && argc > 2) result = Within(std::atoi(argv[2]), [] { return OpenMenuWindow() != nullptr; });
    else if (command == "point" && argc > 3) result = PointAt(std::atoi(argv[2]), std::atoi(argv[3]));
    else std::fprintf(stderr, "usage: kestrola_demo startmenu | open SECONDS | icon PATH... | menu SECONDS | point X Y\n");
    CoUninitialize();
    return result;
}
