// Living in the tray: the icon and its menu, one instance per file name and the settings dialog,
// following the Start Menu folders.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <memory>

#include "platform/Files.h"
#include "platform/Text.h"
#include "shell/Registry.h"
#include "support/Input.h"
#include "support/Program.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

constexpr UINT kOptionsCommand = 102;  // the tray menu's "Settings..."
constexpr UINT kAboutCommand = 104;    // and its "About..."
const char* const kKey = "Software\\Halvercot\\Kestrola";
constexpr DWORD kMissing = 0xFFFFFFFF;

HWND VisibleWindow(const char* cls, const char* title) {
    HWND w = FindWindowA(cls, title);
    return w && IsWindowVisible(w) ? w : nullptr;
}

// The dialog of this caption once it is shown (its first states set), or nullptr.
HWND ShownDialog(const char* caption) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = VisibleWindow("#32770", caption)) != nullptr; });
    return dialog;
}

// Ends the dialog by the button given; true once it is gone.
bool Ended(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    return WaitUntil([&] { return !IsWindow(dialog); });
}

std::pair<LONG, LONG> ClientOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
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
        RECT r = ScreenRect(Tray());
        return {r.left + 10, r.top + (r.bottom - r.top) / 2};
    }
    // Clicks the icon until cond holds: a click the shell missed (the first input of a fresh process
    // can be) is made again.
    static bool ClickIconUntil(bool right, const std::function<bool()>& cond) {
        return WaitUntil([&] { Click(IconPoint(), right); return WaitUntil(cond, 1000); }, 6000);
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
    EXPECT_TRUE(ClickIconUntil(false, [&] { return IsWindowVisible(w) != FALSE; })) << "a left press shows the panel";
    ASSERT_TRUE(ClickIconUntil(true, [] { return OpenMenuWindow() != nullptr; })) << "a right press opens the tray menu";
    // The second entry opens the settings; the captions themselves are checked in-process.
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    HWND dialog = nullptr;
    ASSERT_NE(dialog = ShownDialog("Settings"), nullptr);
    ASSERT_TRUE(Ended(dialog, IDCANCEL));

    // The about box: its size, its version line, and OK as the cancel button.
    PostMessageA(w, WM_COMMAND, kAboutCommand, 0);
    ASSERT_NE(dialog = ShownDialog("About"), nullptr);
    EXPECT_EQ(ClientOf(dialog), (std::pair<LONG, LONG>{287, 233}));
    char text[64] = {};
    GetDlgItemTextA(dialog, 304, text, sizeof text);
    EXPECT_STREQ(text, "Version 1.4");
    for (auto [id, part] : {std::pair{305, "http"}, {306, "@"}}) {  // the web page and the support address
        GetDlgItemTextA(dialog, id, text, sizeof text);
        EXPECT_NE(std::strstr(text, part), nullptr) << id << ": " << text;
    }
    ASSERT_TRUE(Ended(dialog, IDCANCEL));

    ASSERT_TRUE(ClickIconUntil(true, [] { return OpenMenuWindow() != nullptr; }));
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

TEST_F(Living, SettingsDialogShowsAndStoresTheValuesAndTheProgramsMessagesGetThrough) {
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(WaitUntil([] { return ReadSetting("LeftWindowsAlt", kMissing) == 1u; })) << "first-run values";
    WriteSetting("IntegrateWithSystem", 2);

    PostMessageA(w, WM_COMMAND, kOptionsCommand, 0);
    HWND dialog = nullptr;
    ASSERT_NE(dialog = ShownDialog("Settings"), nullptr);
    EXPECT_EQ(ClientOf(dialog), (std::pair<LONG, LONG>{336, 242}));
    char caption[64] = {};
    for (auto [id, text] : {std::pair{201, "Start with Windows"}, {202, "Integrate the program with the system menu"},
                            {203, "Note: works only with the Windows XP menu in the XP style"},
                            {204, "Show the menu when the following keys are pressed"}, {205, "Left  Windows + Left Alt"},
                            {206, "Right Windows + Right Alt"}, {207, "Right Windows + Applications key"}, {IDOK, "OK"},
                            {IDCANCEL, "Cancel"}}) {
        GetDlgItemTextA(dialog, id, caption, sizeof caption);
        EXPECT_STREQ(caption, text) << id;
    }
    EXPECT_EQ(IsDlgButtonChecked(dialog, 201), BST_CHECKED) << "Start with Windows";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 202), BST_UNCHECKED) << "2 is not on";
    EXPECT_EQ(IsDlgButtonChecked(dialog, 205), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 206), BST_UNCHECKED);
    // Set, not clicked: a click's press and release is lost when focus moves between them.
    CheckDlgButton(dialog, 207, BST_CHECKED);
    ASSERT_TRUE(Ended(dialog, IDOK));
    EXPECT_EQ(ReadSetting("IntegrateWithSystem", kMissing), 0u);
    EXPECT_EQ(ReadSetting("LeftWindowsAlt", kMissing), 1u);
    EXPECT_EQ(ReadSetting("RightWindowsAlt", kMissing), 0u);
    EXPECT_EQ(ReadSetting("WindowsApplications", kMissing), 1u);

    WriteSetting("IntegrateWithSystem", 2);
    PostMessageA(w, WM_COMMAND, kOptionsCommand, 0);
    ASSERT_NE(dialog = ShownDialog("Settings"), nullptr);
    CheckDlgButton(dialog, 201, BST_UNCHECKED);
    CheckDlgButton(dialog, 206, BST_CHECKED);
    ASSERT_TRUE(Ended(dialog, IDCANCEL));
    EXPECT_EQ(ReadSetting("IntegrateWithSystem", kMissing), 2u) << "Cancel writes nothing";
    EXPECT_EQ(ReadSetting("RightWindowsAlt", kMissing), 0u);
    char run[MAX_PATH] = {};
    DWORD size = sizeof run;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Kestrola",
                           RRF_RT_REG_SZ, nullptr, run, &size),
              ERROR_SUCCESS);

    // The program's messages reach it while the dialog is open.
    PostMessageA(w, WM_COMMAND, kOptionsCommand, 0);
    ASSERT_NE(dialog = ShownDialog("Settings"), nullptr);
    PostToAll("KestrolaShowOldInstanceMenu");  // as a second start does
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }, 5000)) << "shown from the dialog's loop";
    PostToAll("WM_ProgramExit_Kestrola");  // as "Kestrola.exe exit" does
    EXPECT_EQ(kestrola.WaitForExit(10000), 0u) << "ended from the dialog's loop";
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
    EXPECT_TRUE(ClickIconUntil(false, [&] { return IsWindowVisible(w) != FALSE; })) << "the icon is back and opens the panel";
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
    RECT first = ScreenRect(w);
    // A rebuild after the cells were painted ahead, before any show: the shadow of no show yet.
    made.push_back(menu + "\\Shadowless.lnk");
    ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
    ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(Data("quicketab1.ini")).find("Shadowless") != std::string::npos; }));
    EXPECT_FALSE(WaitUntil([&] {
        RECT r = ScreenRect(w);
        return r.right - r.left != first.right - first.left || r.bottom - r.top != first.bottom - first.top;
    }, 1500)) << "the panel grew by the shadow's line";
    // A show reads the shadow: the next rebuild makes room for its line.
    PostToAll("KestrolaShowOldInstanceMenu");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(w) != FALSE; }));
    made.push_back(menu + "\\AfterShow.lnk");
    ASSERT_TRUE(MakeShortcut(made.back(), target, "", "", false));
    EXPECT_TRUE(WaitUntil([&] {
        RECT r = ScreenRect(w);
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
    WriteRegText(HKEY_CURRENT_USER, kKey, "StartMenuShowX", "abc");
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
