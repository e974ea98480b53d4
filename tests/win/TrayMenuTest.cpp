// The tray menu and the notification-area record as the program builds them.
#include <gtest/gtest.h>

#include "platform/MessageFilter.h"
#include "platform/ProgramFolder.h"
#include "resources/ResourceIds.h"
#include "shell/TrayIcon.h"
#include "shell/TrayRetry.h"
#include "support/TempFolder.h"

TEST(TrayMenu, TranslateGivesEveryEntryItsEnglishCaptionInOrder) {
    TTrayIcon tray;
    tray.Translate();
    HMENU popup = tray.Popup();
    ASSERT_TRUE(popup);
    std::vector<std::string> entries;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char text[128] = {};
        GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        entries.push_back(text);
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"Show list of programs", "Settings...", "", "Mail to Support",
                                                  "About...", "", "Exit"}));
    EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), static_cast<UINT>(IDM_SHOWMENU)) << "drawn bold";
}

TEST(TrayMenu, IconResourcesHoldEveryImage) {
    HMODULE self = GetModuleHandleA(nullptr);
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageA(self, "MAINICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm = {};
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_NE(LoadImageA(self, "MAINICON16", IMAGE_ICON, 16, 16, LR_SHARED), nullptr);
}

namespace {
// A shell whose notification area refuses the first adds, as at log-on before it exists.
struct LateShell {
    static unsigned refusals;
    static std::vector<DWORD> addTimes;
    static std::vector<std::string> balloons;  // title|text|flags
    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAA data) {
        if (message == NIM_ADD) addTimes.push_back(GetTickCount());
        if (data->uFlags & NIF_INFO)
            balloons.push_back(std::string(data->szInfoTitle) + "|" + data->szInfo + "|" + std::to_string(data->dwInfoFlags));
        if (message != NIM_DELETE && refusals > 0) {
            if (message == NIM_MODIFY) --refusals;  // the add and the modify of one try
            return FALSE;
        }
        return Shell_NotifyIconA(message, data);
    }
};
unsigned LateShell::refusals = 0;
std::vector<DWORD> LateShell::addTimes;
std::vector<std::string> LateShell::balloons;

struct HiddenWindow {
    HWND w = CreateWindowExA(0, "STATIC", "tray test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ~HiddenWindow() { DestroyWindow(w); }
};

// Pumps the thread's messages, handing the window's timers to the icon, until cond or timeout.
template <typename Cond>
bool PumpUntil(TTrayIcon& tray, Cond cond, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_TIMER) tray.OnTimer(m.wParam);
            else DispatchMessageA(&m);
        }
        if (cond()) return true;
        Sleep(20);
    }
    return cond();
}
}  // namespace

TEST(TrayIcon, AnIconTheShellRefusesAtFirstIsAddedOnTheRetrySchedule) {
    HiddenWindow window;
    LateShell::refusals = 2;
    LateShell::addTimes.clear();
    TTrayIcon tray(LateShell::Notify);
    tray.Add(window.w, true);
    EXPECT_FALSE(tray.Shown());
    // A balloon asked for meanwhile comes once the icon is there, its title cut to what fits.
    tray.ShowBalloon(std::string(70, 't'), "hint", NIIF_INFO, true);
    tray.ShowBalloon("before 2000", "none", NIIF_INFO, false);
    // Tries after 1 s and 2 s more: the third is taken about 3 s after the first.
    ASSERT_TRUE(PumpUntil(tray, [&] { return tray.Shown(); }, 5000)) << LateShell::addTimes.size() << " tries";
    ASSERT_EQ(LateShell::addTimes.size(), 3u);
    EXPECT_GE(LateShell::addTimes[1] - LateShell::addTimes[0], 900u);
    EXPECT_GE(LateShell::addTimes[2] - LateShell::addTimes[1], 1900u);
    EXPECT_EQ(LateShell::balloons, std::vector<std::string>{std::string(63, 't') + "|hint|1"});
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window.w;
    probe.uID = 1;
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the shell holds the icon";
    tray.Remove();
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "and no longer after Remove";
}

TEST(TrayIcon, AShellThatNeverTakesTheIconIsLoggedOnceAndTaskbarCreatedTriesAgain) {
    TempFolder folder;
    std::string saved = ProgramFolder;
    ProgramFolder = folder.Path() + "\\";
    HiddenWindow window;
    LateShell::refusals = 1000;
    LateShell::addTimes.clear();
    TTrayIcon tray(LateShell::Notify);
    tray.Add(window.w, true);
    // The retry timer's ticks, without their waits; ticks after the last try change nothing.
    for (unsigned i = 0; i < kTrayTries + 5; ++i) tray.OnTimer(6);
    EXPECT_EQ(LateShell::addTimes.size(), kTrayTries);
    std::string log = ReadWholeFile(folder / "log.txt");
    size_t first = log.find("AddTrayIconThe notification area did not take the icon in 15 tries\r\n");
    EXPECT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("AddTrayIcon", first + 1), std::string::npos) << "logged once: " << log;
    LateShell::refusals = 0;
    tray.Add(window.w, true);  // what the shell's "TaskbarCreated" does
    EXPECT_TRUE(tray.Shown());
    EXPECT_EQ(LateShell::addTimes.size(), kTrayTries + 1);
    tray.Translate();
    LateShell::balloons.clear();
    tray.ShowWelcome(true);
    EXPECT_EQ(LateShell::balloons,
              std::vector<std::string>{"New Program|Click icon to show list of programs. Right-click for menu.|1"});
    tray.Remove();
    ProgramFolder = saved;
}

TEST(TrayIcon, RetriesComeSoonThenEveryTenSecondsAndEndWithinTwoMinutes) {
    unsigned total = 0, tries = 1;
    for (unsigned failed = 1; TrayRetryDelay(failed) != 0; ++failed, ++tries) total += TrayRetryDelay(failed);
    EXPECT_EQ(tries, 15u);
    EXPECT_EQ(TrayRetryDelay(1), 1000u);
    EXPECT_EQ(TrayRetryDelay(4), 8000u);
    EXPECT_EQ(TrayRetryDelay(5), 10000u);
    EXPECT_EQ(total, 1000u + 2000 + 4000 + 8000 + 10 * 10000);
    EXPECT_EQ(TrayRetryDelay(0), 0u) << "no try failed, none to repeat";
}

TEST(MessageFilter, TheProgramsMessagesAreLetThroughWhereTheSystemFiltersThem) {
    UINT show = RegisterWindowMessageA("KestrolaShowOldInstanceMenu");
    UINT created = RegisterWindowMessageA("TaskbarCreated");
    bool filtering = GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilter") != nullptr;
    EXPECT_EQ(AllowFromLessPrivilegedProcesses({show, 0, created}), filtering ? 2 : 0) << "0 is no message";
}
