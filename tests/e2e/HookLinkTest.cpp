// The hook link under Windows XP (Wine told so for Kestrola.exe alone) and without it.
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstring>

#include "platform/Text.h"
#include "shell/HookBlockView.h"
#include "shell/HookContract.h"
#include "shell/Registry.h"
#include "support/Input.h"
#include "support/Program.h"
#include "support/TempFolder.h"

namespace {

constexpr bool k64BitBuild = sizeof(void*) == 8;

// The program whose hook link is under test: the program itself in the 32-bit build; in the
// 64-bit build, whose program never starts the link, the copy built to start it all the same.
std::string XpLinkProgramPath() { return k64BitBuild ? ThisFolder() + "\\KestrolaXpLink.exe" : ProgramPath(); }

void ReportWindowsXp(bool xp) {
    for (const char* exe : {"Kestrola.exe", "KestrolaXpLink.exe"}) {
        std::string key = std::string("Software\\Wine\\AppDefaults\\") + exe;
        if (!xp) {
            RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
            continue;
        }
        WriteRegText(HKEY_CURRENT_USER, key, "Version", "winxp");
    }
}

bool LoadsModule(DWORD pid, const char* name) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snap == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 m{};
    m.dwSize = sizeof m;
    bool found = false;
    for (BOOL ok = Module32First(snap, &m); ok && !found; ok = Module32Next(snap, &m))
        found = lstrcmpiA(m.szModule, name) == 0;
    CloseHandle(snap);
    return found;
}

// A top-level window of this process that notes the block's RightWindowsAlt when the
// options-update broadcast reaches it.
int g_seenRightAlt = -1;
UINT g_optionsUpdate = 0;
LRESULT CALLBACK Listener(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (g_optionsUpdate && msg == g_optionsUpdate) {
        HookBlockView b;
        g_seenRightAlt = b ? b->RightWindowsAlt : -2;
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

class HookLink : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetEverything();
        ReportWindowsXp(true);
    }
    void TearDown() override {
        kestrola.reset();
        ReportWindowsXp(false);
        ForgetEverything();
    }
    void Start(const std::string& exe = XpLinkProgramPath(), const std::string& cwd = "") {
        kestrola = std::make_unique<Program>("", cwd, exe);
        window = kestrola->WaitForMainWindow();
        ASSERT_NE(window, nullptr);
    }
    std::unique_ptr<Program> kestrola;
    HWND window = nullptr;
};

}  // namespace

TEST_F(HookLink, UnderXpTheBlockHoldsTheHooksTheWindowAndTheSettings) {
    Start();
    ASSERT_TRUE(WaitUntil([&] { HookBlockView b; return b && b->MainWindow != 0; }));
    HookBlockView b;
    EXPECT_EQ(b->MainWindow, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
    EXPECT_NE(b->CallWndProcHook, 0u);
    EXPECT_NE(b->GetMessageHook, 0u);
    EXPECT_EQ(b->IntegrateWithSystem, 1) << "first-run values, published at start";
    EXPECT_EQ(b->LeftWindowsAlt, 1);
    EXPECT_EQ(b->RightWindowsAlt, 0);
    EXPECT_EQ(b->WindowsApplications, 0);
    EXPECT_TRUE(LoadsModule(kestrola->Id(), "Kestrola.dll"));
    kestrola.reset();  // ended as asked; this view keeps the block
    EXPECT_EQ(b->GetMessageHook, 0u) << "the end takes the hooks down";
    EXPECT_EQ(b->CallWndProcHook, 0u);
}

TEST_F(HookLink, TheDialogChangesTheBlockBeforeItsBroadcast) {
    Start();
    g_optionsUpdate = RegisterWindowMessageA(hook::kOptionsUpdateMessage);
    g_seenRightAlt = -1;
    HWND listener = MakeWindow("KestrolaTestListener", "listener", WS_OVERLAPPED, nullptr, 0, 0, 10, 10, Listener);
    ASSERT_TRUE(WaitUntil([&] { HookBlockView b; return b && b->MainWindow != 0; }));
    PostMessageA(window, WM_COMMAND, 102, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        // Visible once its initial states are set, which would undo the change below.
        return (dialog = FindWindowA("#32770", "Settings")) != nullptr && IsWindowVisible(dialog);
    }));
    CheckDlgButton(dialog, 206, BST_CHECKED);  // Right Windows + Right Alt
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([] { return g_seenRightAlt != -1; }));
    EXPECT_EQ(g_seenRightAlt, 1) << "offset 20 was 1 when the broadcast arrived";
    DestroyWindow(listener);
}

TEST_F(HookLink, AKeyChordInAnotherProcessOpensThePanel) {
    Start();
    ASSERT_TRUE(WaitUntil([&] { HookBlockView b; return b && b->GetMessageHook != 0; }));
    HWND other = MakeWindow("KestrolaTestTarget", "target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 300, 300,
                            200, 150);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
    SetCursorPos(400, 350);  // resting on it; one on the taskbar's last rows is held by the rectangle
    keybd_event(VK_LWIN, 0x5B, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(VK_LMENU, 0x38, 0, 0);
    keybd_event(VK_LMENU, 0x38, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_LWIN, 0x5B, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; })) << "left Windows + left Alt";
    // The panel lies wholly in the work area of the pointer's monitor.
    POINT p;
    GetCursorPos(&p);
    MONITORINFO m{};
    m.cbSize = sizeof m;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &m));
    RECT panel = ScreenRect(window);
    EXPECT_GE(panel.left, m.rcWork.left);
    EXPECT_GE(panel.top, m.rcWork.top);
    EXPECT_LE(panel.right, m.rcWork.right);
    EXPECT_LE(panel.bottom, m.rcWork.bottom) << "not over the taskbar, not below the screen";
    DestroyWindow(other);
}

TEST_F(HookLink, AClickOnTheStartButtonOpensThePanelBesideIt) {
    Start();
    ASSERT_TRUE(WaitUntil([&] { HookBlockView b; return b && b->GetMessageHook != 0 && b->IntegrateWithSystem == 1; }));
    HWND taskbar = MakeWindow("Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, nullptr, 0, 900, 1280, 30);
    HWND start = CreateWindowExA(0, "Button", "start", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 30, taskbar,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(start, nullptr);
    RECT r = ScreenRect(start);
    SetCursorPos(r.left + 20, r.top + 15);
    DWORD pressed = GetTickCount();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    // It opens 300 ms after the press, not before: a slow machine only makes it later. The wait
    // pumps this thread's messages, which carry the press to the hook.
    ASSERT_FALSE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 250))
        << "open after " << GetTickCount() - pressed << " ms";
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    RECT panel, client, work;
    GetWindowRect(window, &panel);
    GetClientRect(window, &client);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The button is far from the right edge and the panel shorter than the button's bottom: the
    // panel stands 20 pixels left of the button's right edge, its bottom 10 below the button's.
    ASSERT_LT(r.right + client.right, work.right - work.left);
    ASSERT_GT(r.bottom - client.bottom, 0);
    EXPECT_EQ(panel.left, r.right - 20);
    EXPECT_EQ(panel.top, r.bottom - client.bottom + 10);
    DestroyWindow(taskbar);
}

TEST_F(HookLink, OnlyTheLibraryBesideTheProgramIsLoaded) {
    // A copy of the program alone in a folder; a Kestrola.dll lies in its current folder.
    TempFolder alone;
    std::string exe = alone / "Kestrola.exe";
    ASSERT_TRUE(CopyFileA(XpLinkProgramPath().c_str(), exe.c_str(), FALSE));
    Start(exe, ThisFolder());
    ASSERT_TRUE(WaitUntil([&] { return static_cast<bool>(HookBlockView()); })) << "the block still exists";
    HookBlockView b;
    EXPECT_EQ(b->MainWindow, 0u) << "nothing is written without the library";
    EXPECT_EQ(b->GetMessageHook, 0u);
    EXPECT_EQ(b->CallWndProcHook, 0u);
    EXPECT_FALSE(LoadsModule(kestrola->Id(), "Kestrola.dll"));
    PostToAll("KestrolaShowOldInstanceMenu");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; })) << "the program works without it";
}

// Another version has no block, no library and no hook; nor has the 64-bit program, even under XP.
TEST_F(HookLink, OtherVersionsAndTheSixtyFourBitProgramHaveNoBlockNoLibraryNoHook) {
    for (bool xp : {false, true}) {
        if (xp && !k64BitBuild) break;  // the 32-bit program starts the link under XP
        SCOPED_TRACE(xp ? "the 64-bit program under XP" : "another version");
        ReportWindowsXp(xp);
        Start(xp ? ProgramPath() : XpLinkProgramPath());
        PostToAll("KestrolaShowOldInstanceMenu");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
        EXPECT_FALSE(HookBlockView());
        EXPECT_FALSE(LoadsModule(kestrola->Id(), "Kestrola.dll"));
        kestrola.reset();
    }
}

TEST_F(HookLink, SettingsOfEveryWrongKindAreLoggedAndSurvived) {
    HKEY k;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvercot\\Kestrola", 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
    const BYTE bytes[] = {1, 0, 0, 0};
    const char multi[] = "1\0 2\0";
    ULONGLONG wide = 1;
    RegSetValueExA(k, "ShowTip", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide), sizeof wide);
    RegSetValueExA(k, "IntegrateWithSystem", 0, REG_SZ, reinterpret_cast<const BYTE*>("yes"), 4);
    RegSetValueExA(k, "LeftWindowsAlt", 0, REG_BINARY, bytes, sizeof bytes);
    RegSetValueExA(k, "RightWindowsAlt", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi);
    RegSetValueExA(k, "WindowsApplications", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%X%"), 4);
    RegSetValueExA(k, "StartMenuShowX", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 4);
    RegSetValueExA(k, "StartMenuShowY", 0, REG_BINARY, bytes, sizeof bytes);
    RegCloseKey(k);
    HKEY desktop;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &desktop);
    char oldDelay[32] = "400";
    DWORD size = sizeof oldDelay;
    RegQueryValueExA(desktop, "MenuShowDelay", nullptr, nullptr, reinterpret_cast<BYTE*>(oldDelay), &size);
    RegSetValueExA(desktop, "MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    std::string log = ThisFolder() + "\\log.txt";
    DeleteFileA(log.c_str());
    TempFolder cwd;
    Start(XpLinkProgramPath(), cwd.Path());
    PostToAll("KestrolaShowOldInstanceMenu");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; })) << "opened all the same";
    // Before the window exists the log is in the current folder, afterwards beside the program.
    EXPECT_NE(ReadWholeFile(cwd / "log.txt").find("SetScreenSize'x' is not a valid integer value"), std::string::npos)
        << ReadWholeFile(cwd / "log.txt");
    EXPECT_NE(ReadWholeFile(log).find("MainFormShow'abc' is not a valid integer value"), std::string::npos)
        << ReadWholeFile(log);
    EXPECT_NE(ReadWholeFile(log).find("StartHookLink"), std::string::npos) << "the text setting is logged";
    EXPECT_TRUE(kestrola->Running());
    RegSetValueExA(desktop, "MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>(oldDelay), size);
    RegCloseKey(desktop);
    DeleteFileA(log.c_str());
}
