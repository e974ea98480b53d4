// Living in the tray: the icon and its menu, one instance per file name, the settings dialog,
// following the Start Menu folders, and settings of the wrong kind.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>

#include "platform/Files.h"
#include "platform/Text.h"
#include "support/Input.h"
#include "support/Program.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

constexpr UINT kOptionsCommand = 102;  // the tray menu's "Settings..."
const char* const kKey = "Software\\Halvercot\\Kestrola";
constexpr DWORD kMissing = 0xFFFFFFFF;

HWND VisibleWindow(const char* cls, const char* title) {
    HWND w = FindWindowA(cls, title);
    return w && IsWindowVisible(w) ? w : nullptr;
}

void SetText(HKEY root, const char* key, const char* name, const char* text) {
    HKEY k;
    RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
    RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(k);
}

// Rebuilds, seen as bursts of writes to the catalogue files, with the time of each.
class RebuildWatch {
public:
    explicit RebuildWatch(std::vector<std::string> files) : files_(std::move(files)), last_(Stamp()) {}
    // Watches for ms milliseconds; writes less than 400 ms apart belong to one rebuild.
    void For(DWORD ms) {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            std::string now = Stamp();
            if (now != last_) {
                DWORD t = GetTickCount();
                if (times.empty() || t - lastChange_ > 400) times.push_back(t);
                lastChange_ = t;
                last_ = now;
            }
            Sleep(20);
        }
    }
    std::vector<DWORD> times;

private:
    std::string Stamp() const {
        std::string s;
        for (const std::string& f : files_) s += ReadWholeFile(f) + "|";
        return s;
    }
    std::vector<std::string> files_;
    std::string last_;
    DWORD lastChange_ = 0;
};

class Living : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ForgetEverything();
    }
    void TearDown() override {
        for (const std::string& f : made) DeleteFileA(f.c_str());
        ForgetEverything();
        CoUninitialize();
    }
    // The shell's notification area: Wine's own tray window when no taskbar runs.
    static HWND Tray() {
        HWND w = VisibleWindow(nullptr, "Wine System Tray");
        return w ? w : VisibleWindow("Shell_TrayWnd", nullptr);
    }
    static POINT IconPoint() {
        RECT r;
        GetWindowRect(Tray(), &r);
        return {r.left + 10, r.top + (r.bottom - r.top) / 2};
    }
    std::string Data(const char* file) const { return AppDataFolder() + "\\Kestrola\\" + file; }
    std::vector<std::string> made;
};

}  // namespace

TEST_F(Living, TrayIconOpensThePanelAndItsMenuEndsTheProgram) {
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(WaitUntil([] { return Tray() != nullptr; })) << "the icon's notification area";
    Click(IconPoint());
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; })) << "a left press shows the panel";

    Click(IconPoint(), true);
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; })) << "a right press opens the tray menu";
    // The second entry opens the settings; the captions themselves are checked in-process.
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = VisibleWindow("#32770", "Settings")) != nullptr; }));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

    Click(IconPoint(), true);
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }));
    Key(VK_UP);  // from no selection to the last entry
    Key(VK_RETURN);
    EXPECT_EQ(kestrola.WaitForExit(10000), 0u) << "Exit ends the program";
}

TEST_F(Living, ASecondStartEndsAndOpensTheRunningPanelWhileACopyRunsBeside) {
    Program first;
    HWND w = first.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    Program second;
    EXPECT_EQ(second.WaitForExit(10000), 0u);
    EXPECT_EQ(second.MainWindow(), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; })) << "the running panel opens";

    std::string copy = ThisFolder() + "\\KestrolaCopy.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), copy.c_str(), FALSE));
    made.push_back(copy);
    {
        Program beside("", "", copy);
        EXPECT_NE(beside.WaitForMainWindow(), nullptr) << "another file name is another instance";
        EXPECT_TRUE(first.Running());
    }
}

TEST_F(Living, SettingsDialogShowsAndStoresTheValues) {
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(WaitUntil([] { return ReadSetting("LeftWindowsAlt", kMissing) == 1u; })) << "first-run values";
    WriteSetting("IntegrateWithSystem", 2);

    PostMessageA(w, WM_COMMAND, kOptionsCommand, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = VisibleWindow("#32770", "Settings")) != nullptr; }));
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 336);
    EXPECT_EQ(client.bottom, 242);
    char caption[64] = {};
    GetDlgItemTextA(dialog, 205, caption, sizeof caption);
    EXPECT_STREQ(caption, "Left  Windows + Left Alt");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 201), BST_CHECKED) << "Start with Windows";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 202), BST_UNCHECKED) << "2 is not on";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 205), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 206), BST_UNCHECKED);
    SendDlgItemMessageA(dialog, 207, BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ReadSetting("IntegrateWithSystem", kMissing), 0u);
    EXPECT_EQ(ReadSetting("LeftWindowsAlt", kMissing), 1u);
    EXPECT_EQ(ReadSetting("RightWindowsAlt", kMissing), 0u);
    EXPECT_EQ(ReadSetting("WindowsApplications", kMissing), 1u);

    WriteSetting("IntegrateWithSystem", 2);
    PostMessageA(w, WM_COMMAND, kOptionsCommand, 0);
    ASSERT_TRUE(WaitUntil([&] { return (dialog = VisibleWindow("#32770", "Settings")) != nullptr; }));
    SendDlgItemMessageA(dialog, 201, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, 206, BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ReadSetting("IntegrateWithSystem", kMissing), 2u) << "Cancel writes nothing";
    EXPECT_EQ(ReadSetting("RightWindowsAlt", kMissing), 0u);
    char run[MAX_PATH] = {};
    DWORD size = sizeof run;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Kestrola",
                           RRF_RT_REG_SZ, nullptr, run, &size),
              ERROR_SUCCESS);
}

TEST_F(Living, ChangesOfTheStartMenuGiveOneRebuildAfterTheFirstOfThem) {
    // Right in the Start Menu folder: Wine reports nothing from the folders that lie below it.
    std::string menu = SpecialFolder(CSIDL_STARTMENU);
    std::string target = SpecialFolder(CSIDL_SYSTEM) + "\\notepad.exe";
    made.push_back(menu + "\\Old.lnk");
    ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
    Program kestrola;
    ASSERT_NE(kestrola.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(Data("quicketab1.ini")).find("Old.lnk") != std::string::npos; }));
    RebuildWatch watch({Data("tab1.ini"), Data("quicketab1.ini"), Data("Main.ini")});
    watch.For(500);  // the watchers start after the first fill
    ASSERT_TRUE(watch.times.empty());

    DWORD copied = GetTickCount();
    made.push_back(menu + "\\New.lnk");
    ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
    watch.For(4000);
    ASSERT_EQ(watch.times.size(), 1u);
    EXPECT_GE(watch.times[0] - copied, 1300u);
    EXPECT_LE(watch.times[0] - copied, 2500u);
    std::string quick = ReadWholeFile(Data("quicketab1.ini"));
    EXPECT_NE(quick.find("New.lnk"), std::string::npos);
    EXPECT_NE(quick.find("[SetupTime]"), std::string::npos) << "the new program is stamped";

    // Shortcuts over 1.15 s: one rebuild, 1.5 s after the first, holding them all. A timer
    // restarted by each change would land 1.5 s after the last, past 2.6 s.
    watch.times.clear();
    DWORD first = GetTickCount();
    int burst = 0;
    for (; GetTickCount() - first < 1100; ++burst) {
        made.push_back(menu + "\\Burst " + std::to_string(burst) + ".lnk");
        ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
        Sleep(100);
    }
    DWORD last = GetTickCount() - first;
    watch.For(4000);
    ASSERT_EQ(watch.times.size(), 1u);
    EXPECT_LE(watch.times[0] - first, 2200u) << "the timer is not restarted by later changes; the last came at "
                                             << last << " ms";
    quick = ReadWholeFile(Data("quicketab1.ini"));
    for (int i = 0; i < burst; ++i) EXPECT_NE(quick.find("Burst " + std::to_string(i)), std::string::npos);

    // A write into an existing file changes no names.
    watch.times.clear();
    HANDLE f = CreateFileA(made[0].c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, "\0\0\0\0", 4, &written, nullptr);
    CloseHandle(f);
    watch.For(3000);
    EXPECT_TRUE(watch.times.empty());
}

TEST_F(Living, SettingsOfTheWrongKindAreLoggedAndSurvived) {
    SetText(HKEY_CURRENT_USER, kKey, "StartMenuShowX", "abc");
    WriteSetting("StartMenuShowY", 10);
    WriteSetting("ShowTip", 1);
    char oldDelay[32] = "400";
    DWORD size = sizeof oldDelay;
    RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", RRF_RT_REG_SZ, nullptr, oldDelay, &size);
    SetText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", "x");
    std::string log = ThisFolder() + "\\log.txt";
    DeleteFileA(log.c_str());
    TempFolder cwd;
    {
        Program kestrola("", cwd.Path());
        HWND w = kestrola.WaitForMainWindow();
        ASSERT_NE(w, nullptr);
        PostToAll("KestrolaShowOldInstanceMenu");
        // Before the window exists the log is in the current folder, afterwards beside the program.
        EXPECT_TRUE(WaitUntil([&] {
            return ReadWholeFile(cwd / "log.txt").find("SetScreenSize'x' is not a valid integer value") !=
                   std::string::npos;
        })) << ReadWholeFile(cwd / "log.txt");
        EXPECT_TRUE(WaitUntil([&] {
            return ReadWholeFile(log).find("MainFormShow'abc' is not a valid integer value") != std::string::npos;
        })) << ReadWholeFile(log);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; })) << "opened centred all the same";
        EXPECT_TRUE(kestrola.Running());
    }
    SetText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", oldDelay);
    DeleteFileA(log.c_str());
}

TEST_F(Living, AMissingUserStartMenuLeavesTheOtherOne) {
    std::string userMenu = SpecialFolder(CSIDL_STARTMENU);
    std::string common = SpecialFolder(CSIDL_COMMON_PROGRAMS);
    std::string parked = userMenu + " parked";
    made.push_back(common + "\\Shared.lnk");
    ASSERT_TRUE(MakeShortcut(made.back(), SpecialFolder(CSIDL_SYSTEM) + "\\notepad.exe", "", "", false));
    ASSERT_TRUE(MoveFileA(userMenu.c_str(), parked.c_str()));
    {
        Program kestrola;
        EXPECT_NE(kestrola.WaitForMainWindow(), nullptr);
        EXPECT_TRUE(
            WaitUntil([&] { return ReadWholeFile(Data("tab1.ini")).find("Shared.lnk") != std::string::npos; }));
        EXPECT_TRUE(kestrola.Running());
    }
    MoveFileA(parked.c_str(), userMenu.c_str());
}

TEST_F(Living, TheProgramsMessagesReachItWhileTheSettingsDialogIsOpen) {
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    PostMessageA(w, WM_COMMAND, kOptionsCommand, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = VisibleWindow("#32770", "Settings")) != nullptr; }));
    PostToAll("KestrolaShowOldInstanceMenu");  // as a second start does
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, 5000)) << "shown from the dialog's loop";
    PostToAll("WM_ProgramExit_Kestrola");  // as "Kestrola.exe exit" does
    EXPECT_EQ(kestrola.WaitForExit(10000), 0u) << "ended from the dialog's loop";
}

TEST_F(Living, TheIconComesBackWhenTheTaskbarIsMadeAnew) {
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(WaitUntil([] { return Tray() != nullptr; }));
    POINT icon = IconPoint();
    // The shell restarted: its notification area starts empty.
    NOTIFYICONDATAA gone = {};
    gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
    gone.hWnd = w;
    gone.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
    Click(icon);
    ASSERT_FALSE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, 1000)) << "the icon was not removed";
    PostToAll("TaskbarCreated");
    ASSERT_TRUE(WaitUntil([] { return Tray() != nullptr; }));
    EXPECT_TRUE(WaitUntil([&] {
        Click(IconPoint());
        return WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, 500);
    }, 5000)) << "the icon is back and opens the panel";
}

TEST_F(Living, PaintingAheadBeforeTheFirstShowKeepsThePanelsSize) {
    BOOL before = FALSE, now = FALSE;
    SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &before, 0);
    SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(TRUE), 0);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &now, 0) && now) << "the system draws shadows";
    std::string menu = SpecialFolder(CSIDL_STARTMENU);
    std::string target = SpecialFolder(CSIDL_SYSTEM) + "\\notepad.exe";
    made.push_back(menu + "\\Shadowed.lnk");  // the quick area's row exists before the rebuild
    ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(Data("quicketab1.ini")).find("Shadowed") != std::string::npos; }));
    Sleep(500);  // the cells are painted ahead in posted steps
    RECT first;
    GetWindowRect(w, &first);
    // A rebuild after the cells were painted ahead, before any show: the shadow of no show yet.
    made.push_back(menu + "\\Shadowless.lnk");
    ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
    ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(Data("quicketab1.ini")).find("Shadowless") != std::string::npos; }));
    EXPECT_FALSE(WaitUntil([&] {
        RECT r;
        GetWindowRect(w, &r);
        return r.right - r.left != first.right - first.left || r.bottom - r.top != first.bottom - first.top;
    }, 1500)) << "the panel grew by the shadow's line";
    // A show reads the shadow: the next rebuild makes room for its line.
    PostToAll("KestrolaShowOldInstanceMenu");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }));
    made.push_back(menu + "\\AfterShow.lnk");
    ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
    EXPECT_TRUE(WaitUntil([&] {
        RECT r;
        GetWindowRect(w, &r);
        return r.right - r.left == first.right - first.left + 1 && r.bottom - r.top == first.bottom - first.top + 1;
    }, 10000)) << "one line wider and taller once a show found the shadow";
    SystemParametersInfoA(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(before)), 0);
}

TEST_F(Living, AProgramFolderThatTakesNoLogSendsTheLinesToTheDataFolderWithoutABox) {
    // As under Program Files for a standard user: the program's folder refuses the log.
    TempFolder installed;
    std::string exe = installed / "Kestrola.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(CreateDirectoryA((installed / "log.txt").c_str(), nullptr));
    SetText(HKEY_CURRENT_USER, kKey, "StartMenuShowX", "abc");
    WriteSetting("StartMenuShowY", 10);
    WriteSetting("ShowTip", 1);
    Program kestrola("", "", exe);
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    PostToAll("KestrolaShowOldInstanceMenu");
    EXPECT_TRUE(WaitUntil([&] {
        return ReadWholeFile(Data("log.txt")).find("MainFormShow'abc' is not a valid integer value") != std::string::npos;
    })) << ReadWholeFile(Data("log.txt"));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }));
    EXPECT_EQ(WindowOfProcess(kestrola.Id(), "#32770"), nullptr) << "the user is not asked about the log";
}

TEST_F(Living, AStartMenuMovedAwayAndMadeAnewIsWatchedAgain) {
    std::string menu = SpecialFolder(CSIDL_STARTMENU), away = menu + " away";
    std::string target = SpecialFolder(CSIDL_SYSTEM) + "\\notepad.exe";
    struct PutBack {
        std::string menu, away;
        ~PutBack() {
            DeleteFileA((menu + "\\New.lnk").c_str());
            RemoveDirectoryA(menu.c_str());
            MoveFileA(away.c_str(), menu.c_str());
        }
    } putBack{menu, away};
    auto kestrola = std::make_unique<Program>();
    ASSERT_NE(kestrola->WaitForMainWindow(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(Data("Main.ini")); }));
    RebuildWatch watch({Data("tab1.ini"), Data("quicketab1.ini"), Data("Main.ini")});
    watch.For(500);  // the watchers start after the first fill
    ASSERT_TRUE(MoveFileA(menu.c_str(), away.c_str()));
    ASSERT_TRUE(CreateDirectoryA(menu.c_str(), nullptr));
    watch.For(4000);  // the watcher's next look finds a new folder, and its arrival is a change
    watch.times.clear();
    DWORD added = GetTickCount();
    ASSERT_TRUE(MakeShortcut(menu + "\\New.lnk", target, "", "", false));
    watch.For(4000);
    ASSERT_EQ(watch.times.size(), 1u) << "one rebuild";
    EXPECT_GE(watch.times[0] - added, 1300u);
    EXPECT_LE(watch.times[0] - added, 2500u) << "1.5 s after the change, as before the move";
    EXPECT_NE(ReadWholeFile(Data("quicketab1.ini")).find("New.lnk"), std::string::npos);
    kestrola.reset();
}
