// The resident program's life: hidden start, showing, hiding, the exit request, a failed start.
#include <gtest/gtest.h>

#include "support/Input.h"
#include "support/Program.h"
#include "support/UnixProcess.h"
#include "support/TempFolder.h"

namespace {

class Resident : public ::testing::Test {
protected:
    void SetUp() override { ForgetEverything(); }
    void TearDown() override { ForgetEverything(); }
};

bool Visible(HWND w) { return IsWindowVisible(w) != FALSE; }
bool Topmost(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::string RunValue() {
    char buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof buffer;
    RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Kestrola", RRF_RT_REG_SZ,
                 nullptr, buffer, &size);
    return buffer;
}

}  // namespace

TEST_F(Resident, StartsWithAHiddenBorderlessMainWindowAndFirstRunValues) {
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(Visible(w));
    LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    // Wine reports a Windows version after XP unless told otherwise: the shadow is asked for.
    EXPECT_TRUE(GetClassLongA(w, GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_TRUE(WaitUntil([] { return GetFileAttributesA((AppDataFolder() + "\\Kestrola").c_str()) &
                                      FILE_ATTRIBUTE_DIRECTORY; }));
    EXPECT_TRUE(WaitUntil([&] { return ReadSetting("LeftWindowsAlt", 0) == 1u; })) << "written last";
    EXPECT_EQ(ReadSetting("ShowTip", 0), 1u);
    EXPECT_EQ(ReadSetting("IntegrateWithSystem", 0), 1u);
    EXPECT_EQ(ReadSetting("LeftWindowsAlt", 0), 1u);
    EXPECT_EQ(ReadSetting("RightWindowsAlt", 7), 7u) << "not written";
    EXPECT_EQ(RunValue(), "\"" + ProgramPath() + "\"");
}

// "exit" only as the first parameter asks for the exit: as the second it is a start like any other.
TEST_F(Resident, LaterStartLeavesTheUsersSettingsAlone) {
    WriteSetting("ShowTip", 1);
    WriteSetting("IntegrateWithSystem", 0);
    {
        Program kestrola("other exit");
        ASSERT_NE(kestrola.WaitForMainWindow(), nullptr);
        EXPECT_TRUE(kestrola.Running());
    }
    EXPECT_EQ(ReadSetting("IntegrateWithSystem", 9), 0u);
    EXPECT_EQ(ReadSetting("LeftWindowsAlt", 9), 9u);
    EXPECT_EQ(RunValue(), "");
}

// Centred and topmost unless both stored values exist; hidden when another application is activated.
TEST_F(Resident, TheShowMessageOpensThePanelTopmostAndCentredUnlessBothValuesAreStored) {
    WriteSetting("ShowTip", 1);
    WriteSetting("StartMenuShowX", static_cast<DWORD>(-40));
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    PostToAll("KestrolaShowOldInstanceMenu");
    // Shown first, made topmost right after: wait for both.
    EXPECT_TRUE(WaitUntil([&] { return Visible(w) && Topmost(w); }));
    RECT r, work;
    GetWindowRect(w, &r);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r.left, std::max<LONG>(0, (work.right - work.left - (r.right - r.left)) / 2)) << "one value alone";
    EXPECT_EQ(r.top, std::max<LONG>(0, (work.bottom - work.top - (r.bottom - r.top)) / 2));

    // Partly past the screen's bottom: kept, the bands scroll the rest into view.
    int top = GetSystemMetrics(SM_CYSCREEN) - 20;
    WriteSetting("StartMenuShowY", static_cast<DWORD>(top));
    PostToAll("KestrolaShowOldInstanceMenu");
    ASSERT_TRUE(WaitUntil([&] {
        GetWindowRect(w, &r);
        return r.left == -40 && r.top == top;
    })) << "stored place, partly off the screen: " << r.left << "," << r.top;

    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == w; }));
    HWND other = MakeWindow("KestrolaTestOther", "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 10, 10, 200, 100);
    SetForegroundWindow(other);
    EXPECT_TRUE(WaitUntil([&] { return !Visible(w); })) << "another application was activated";
    EXPECT_TRUE(kestrola.Running());
    DestroyWindow(other);
}

// After its monitor was unplugged the stored place lies on none: the panel opens where it would
// without one, the values stay for the next drag to replace, and the log tells it once.
TEST_F(Resident, AStoredPositionOnNoMonitorOpensThePanelOnTheScreen) {
    WriteSetting("ShowTip", 1);
    WriteSetting("StartMenuShowX", 5000);
    WriteSetting("StartMenuShowY", 4000);
    std::string log = ThisFolder() + "\\log.txt";
    DeleteFileA(log.c_str());
    Program kestrola;
    HWND w = kestrola.WaitForMainWindow();
    ASSERT_NE(w, nullptr);
    for (int showing = 0; showing < 2; ++showing) {
        PostToAll("KestrolaShowOldInstanceMenu");
        ASSERT_TRUE(WaitUntil([&] { return Visible(w); }));
        RECT r, work;
        GetWindowRect(w, &r);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(r.left, std::max<LONG>(work.left, work.left + (work.right - work.left - (r.right - r.left)) / 2));
        EXPECT_EQ(r.top, std::max<LONG>(work.top, work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2));
        PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !Visible(w); }));
    }
    EXPECT_EQ(ReadSetting("StartMenuShowX", 0), 5000u);
    EXPECT_EQ(ReadSetting("StartMenuShowY", 0), 4000u);
    std::string text = ReadWholeFile(log);
    const std::string line = "MainFormShow: the stored position 5000, 4000 lies on no monitor";
    size_t first = text.find(line);
    EXPECT_NE(first, std::string::npos) << text;
    EXPECT_EQ(text.find(line, first + 1), std::string::npos) << "told once: " << text;
}

namespace {
// Puts a file where the data folder belongs. An earlier start's data folder may still hold a file
// open for a moment: the folder must be gone and the file in its place before the next start, or
// that start finds its folder and logs nothing.
bool BlockDataFolder() {
    std::string blocker = AppDataFolder() + "\\Kestrola";
    return WaitUntil([&] {
        ForgetEverything();
        WriteWholeFile(blocker, "a file where the data folder should be");
        DWORD a = GetFileAttributesA(blocker.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }, 5000);
}
}  // namespace

TEST_F(Resident, FailedDataFolderIsLoggedInTheCurrentFolderAndTheProcessLivesOn) {
    ASSERT_TRUE(BlockDataFolder()) << "the data folder could not be replaced by a file";
    DeleteFileA((ThisFolder() + "\\log.txt").c_str());  // what other runs logged there
    TempFolder cwd;
    Program kestrola("", cwd.Path());
    ASSERT_TRUE(WaitUntil([&] {
        return ReadWholeFile(cwd / "log.txt").find("FormCreateCreate folder error!\r\n") != std::string::npos;
    })) << ReadWholeFile(cwd / "log.txt");
    EXPECT_EQ(GetFileAttributesA((ThisFolder() + "\\log.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing in the program folder";
    EXPECT_EQ(kestrola.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(kestrola.MainWindow(), nullptr) << "no visible surface at all";
}

namespace {
BOOL CALLBACK CollectText(HWND child, LPARAM all) {
    char text[512] = {};
    SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    *reinterpret_cast<std::string*>(all) += std::string(text) + "|";
    return TRUE;
}
}  // namespace

TEST_F(Resident, ALogThatCannotBeWrittenAtStartIsShownAndTheProcessLivesOn) {
    ASSERT_TRUE(BlockDataFolder()) << "the data folder could not be replaced by a file";
    TempFolder cwd;
    ASSERT_TRUE(CreateDirectoryA((cwd / "log.txt").c_str(), nullptr)) << "a folder where the log should be";
    Program kestrola("", cwd.Path());
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = WindowOfProcess(kestrola.Id(), "#32770")) != nullptr; }))
        << "the error is shown to the user";
    // The box is found as soon as it exists; its children come a moment later.
    std::string texts;
    EXPECT_TRUE(WaitUntil([&] {
        texts.clear();
        EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&texts));
        return texts.find("I/O error") != std::string::npos;
    })) << "the log's own error: " << texts;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(kestrola.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE)) << "the program goes on";
    DeleteFileA((AppDataFolder() + "\\Kestrola").c_str());  // the blocking file
}

class ExitRequest : public Resident, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExitRequest, EndsTheResidentInstanceAndItselfAfterThreeSeconds) {
    Program resident;
    ASSERT_NE(resident.WaitForMainWindow(), nullptr);
    DWORD start = GetTickCount();
    Program request(GetParam());
    EXPECT_EQ(resident.WaitForExit(10000), 0u);
    EXPECT_EQ(request.WaitForExit(15000), 0u);
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 2900u);
    EXPECT_EQ(request.MainWindow(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(FirstParameter, ExitRequest, ::testing::Values("exit", "/EXIT", "-exit", "noexit"));

TEST_F(Resident, ExitRequestWithNobodyRunningWaitsAndEndsSilently) {
    DWORD start = GetTickCount();
    Program request("exit");
    // What the kernel counts of it (Wine's own count of another process leaves busy loops out):
    // a second of its wait takes a few ticks of 10 ms, a core spun for it a hundred.
    int unix = 0;
    ASSERT_TRUE(WaitUntil([&] { return (unix = FindUnixProcess(ProgramPath())) != 0; }, 1500));
    long long before = ReadCounters(unix).cpuTicks;
    DWORD from = GetTickCount();
    WaitUntil([&] { return GetTickCount() - from >= 1000; }, 1000);
    EXPECT_LT(ReadCounters(unix).cpuTicks - before, 30) << "it waits without spinning a core";
    EXPECT_EQ(request.WaitForExit(15000), 0u);
    EXPECT_GE(GetTickCount() - start, 2900u);
}
