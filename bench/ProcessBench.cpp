// The real program from outside, on the large generated Start Menu in the prefix's own folders,
// against floor_tray (one tray icon and a one-colour popup of the panel's size): start-up to the
// tray icon, open latency from the show message to the painted panel, peak working set and
// wake-ups per second while idle.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <shlobj.h>

#include <cctype>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Report.h"
#include "StartMenuGenerator.h"
#include "Timing.h"
#include "support/UnixProcess.h"
#include "catalogue/FolderPaths.h"
#include "panel/LabColor.h"
#include "support/Program.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

constexpr const char* kShowMessage = "KestrolaShowOldInstanceMenu";

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Like WaitUntil, but polling every millisecond, for timings.
bool PollUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(1);
    }
    return true;
}

HWND VisibleTray() {
    HWND w = FindWindowA(nullptr, "Wine System Tray");
    if (!w) w = FindWindowA("Shell_TrayWnd", nullptr);
    return w && IsWindowVisible(w) ? w : nullptr;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

// The program under test: a Kestrola or a floor, started and told to end in the same way.
struct Subject {
    std::string exe, arguments, windowClass, fileName;
};

// Milliseconds from starting the process to its tray icon on the screen; the process runs on.
double StartToTray(std::unique_ptr<Program>& p, const Subject& s) {
    if (!PollUntil([] { return VisibleTray() == nullptr; }, 15000)) return -1;
    double t0 = Now();
    p = std::make_unique<Program>(s.arguments, "", s.exe);
    if (!PollUntil([] { return VisibleTray() != nullptr; }, 30000)) return -1;
    return Now() - t0;
}

void End(std::unique_ptr<Program>& p, const Subject& s) {
    if (!p) return;
    if (HWND w = WindowOfProcess(p->Id(), s.windowClass.c_str())) PostMessageA(w, WM_CLOSE, 0, 0);
    p->WaitForExit(30000);
    p.reset();
}

// Milliseconds from the show message to the panel's border pixel on the screen; hides it first.
double OpenLatency(HWND w, int unixPid, COLORREF border) {
    PostMessageA(w, WM_ACTIVATEAPP, FALSE, 0);
    if (!PollUntil([&] { return !IsWindowVisible(w); }, 10000)) return -1;
    WaitUntilQuiet(unixPid, 300, 20000);
    double t0 = Now();
    PostMessageA(w, RegisterWindowMessageA(kShowMessage), 0, 0);
    bool shown = PollUntil(
        [&] {
            if (!IsWindowVisible(w)) return false;
            RECT r;
            GetWindowRect(w, &r);
            return ScreenPixel(r.left, r.top + 60) == border;
        },
        30000);
    return shown ? Now() - t0 : -1;
}

bool CatalogueMentions(const std::string& lowerText) {
    std::string text = ReadWholeFile(AppDataFolder() + "\\Kestrola\\tab1.ini");
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text.find(lowerText) != std::string::npos;
}

// Context switches per second of every thread while nothing happens.
double IdleWakeups(int unixPid, DWORD seconds) {
    WaitUntilQuiet(unixPid, 500, 20000);
    ProcessCounters a = ReadCounters(unixPid);
    Sleep(seconds * 1000);  // the measuring window itself, not a wait for a condition
    ProcessCounters b = ReadCounters(unixPid);
    return static_cast<double>(b.contextSwitches - a.contextSwitches) / seconds;
}

double PeakWorkingSetMb(const Program& p, int unixPid) {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, p.Id());
    bool ok = h && GetProcessMemoryInfo(h, &pmc, sizeof pmc);
    if (h) CloseHandle(h);
    if (ok && pmc.PeakWorkingSetSize) return static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
    return static_cast<double>(ReadCounters(unixPid).peakResidentKb) / 1024.0;
}

struct Figures {
    std::vector<double> start;
    double firstOpen = -1, open = -1, openAfterChange = -1, peakMb = -1, wakeups = -1;
};

// One run with its opens, working set and wake-ups; then the further starts to the tray icon.
Figures Measure(const Subject& s, int starts, COLORREF border, const std::string& changeFolder,
                const std::function<void()>& beforeEachStart, RECT* panel) {
    Figures f;
    std::unique_ptr<Program> p;
    if (beforeEachStart) beforeEachStart();
    f.start.push_back(StartToTray(p, s));
    HWND w = nullptr;
    PollUntil([&] { return (w = WindowOfProcess(p->Id(), s.windowClass.c_str())) != nullptr; }, 30000);
    int pid = FindUnixProcess(s.exe);
    if (w && pid) {
        f.firstOpen = OpenLatency(w, pid, border);
        if (panel) GetWindowRect(w, panel);
        std::vector<double> opens;
        for (int i = 0; i < 7; ++i) opens.push_back(OpenLatency(w, pid, border));
        f.open = Median(opens);
        PostMessageA(w, WM_ACTIVATEAPP, FALSE, 0);
        f.wakeups = IdleWakeups(pid, 10);
        if (!changeFolder.empty()) {
            // A new program arrives while the panel is hidden: the rebuild runs, then it opens.
            std::string added = changeFolder + "\\Arrived late.lnk";
            MakeShortcut(added, "C:\\windows\\notepad.exe");
            PollUntil([&] { return CatalogueMentions("arrived late"); }, 20000);
            f.openAfterChange = OpenLatency(w, pid, border);
            PostMessageA(w, WM_ACTIVATEAPP, FALSE, 0);
            DeleteFileA(added.c_str());
            PollUntil([&] { return !CatalogueMentions("arrived late"); }, 20000);
        }
        f.peakMb = PeakWorkingSetMb(*p, pid);
    } else {
        std::printf("  %s: no window or no process found\n", s.fileName.c_str());
    }
    End(p, s);
    for (int i = 1; i < starts; ++i) {
        if (beforeEachStart) beforeEachStart();
        f.start.push_back(StartToTray(p, s));
        // Ends only once idle, as after a real start; a close amid the catalogue's rebuild would
        // wait for it anyway.
        if (int pid2 = FindUnixProcess(s.exe)) WaitUntilQuiet(pid2, 300, 30000);
        End(p, s);
    }
    return f;
}

void Show(const char* what, const Figures& f) {
    std::printf("  %s: start to tray", what);
    for (double t : f.start) std::printf(" %.0f", t);
    std::printf(" ms; first open %.1f ms, open %.1f ms, after a change %.1f ms; peak %.1f MB; %.1f wake-ups/s\n",
                f.firstOpen, f.open, f.openAfterChange, f.peakMb, f.wakeups);
}

}  // namespace

int main(int argc, char** argv) {
    // "floor" measures the floor alone, "quick" one later start of the program and no floor.
    bool floorOnly = argc > 1 && std::string(argv[1]) == "floor";
    bool quick = argc > 1 && std::string(argv[1]) == "quick";
    CoInitialize(nullptr);
    TFolderPaths paths = LoadFolderPaths();
    TempFolder targets;
    GeneratedMenu g = GenerateStartMenu(paths, targets.Path() + "\\targets");
    std::printf("Start Menu of the prefix: %d main entries, %zu made\n", g.mainEntries, g.made.size());
    COLORREF border = ComputeBorderRamp(GetSysColor(COLOR_ACTIVECAPTION))[0];

    Subject kestrola{ProgramPath(), "", "TMainForm", "Kestrola.exe"};
    RECT panel = {0, 0, 1398, 1000};
    Figures first, warm;
    if (!floorOnly) {
        if (!quick) {
            first = Measure(kestrola, 3, border, "", ForgetEverything, nullptr);
            Show("Kestrola, first starts", first);
        }
        warm = Measure(kestrola, quick ? 1 : 5, border, paths.UserPrograms, nullptr, &panel);
        Show("Kestrola, later starts", warm);
    }

    char arguments[64];
    std::snprintf(arguments, sizeof arguments, "%ld %ld 0x%06lx", panel.right - panel.left, panel.bottom - panel.top,
                  static_cast<unsigned long>(border));
    Subject floorTray{ThisFolder() + "\\floor_tray.exe", arguments, "FloorTrayForm", "floor_tray.exe"};
    Figures floor;
    if (!quick) floor = Measure(floorTray, 5, border, "", nullptr, nullptr);
    Show("floor_tray", floor);

    if (!floorOnly) {
        double floorStart = Median(floor.start);
        // Quick runs measure no first start and no floor: those figures are left out or unfloored.
        if (!first.start.empty())
            ReportFigure("start-up to tray icon, first start", Median(first.start), floorStart, "ms");
        ReportFigure("start-up to tray icon", Median(warm.start), floorStart, "ms");
        ReportFigure("open latency, first open after start", warm.firstOpen, floor.firstOpen, "ms");
        ReportFigure("open latency", warm.open, floor.open, "ms");
        ReportFigure("open latency after a folder change", warm.openAfterChange, floor.open, "ms");
        ReportFigure("peak working set", warm.peakMb, floor.peakMb, "MB");
        ReportFigure("idle wake-ups", warm.wakeups, floor.wakeups, "/s");
    }
    ForgetEverything();
    for (const std::string& m : g.made) {
        if (!DeleteFileA(m.c_str())) RemoveTree(m);
    }
    CoUninitialize();
    return 0;
}
