// Drives the real Kestrola.exe from a test: start, find its main window, wait, end.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Polls cond every 20 ms, pumping this thread's messages, until it holds or timeoutMs pass.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs = 10000);

// Kestrola.exe beside the test executable.
std::string ProgramPath();
std::string ThisFolder();
// A special folder of the shell by its CSIDL, as the system gives it.
std::string SpecialFolder(int csidl);

// The first top-level window of the class that belongs to the process.
HWND WindowOfProcess(DWORD pid, const char* windowClass);

class Program {
public:
    // Starts exe with the given arguments in the given current folder (empty: the test's own).
    explicit Program(const std::string& arguments = "", const std::string& currentFolder = "",
                     const std::string& exe = ProgramPath());
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE on time-out.
    DWORD WaitForExit(DWORD timeoutMs);
    // Ends it at once, as a crash or a power cut would: no end sequence runs.
    void Kill();
    // The process's main window, once it exists (null on time-out).
    HWND WaitForMainWindow(DWORD timeoutMs = 10000) const;
    HWND MainWindow() const;

private:
    PROCESS_INFORMATION info_{};
};

// Removes the program's settings, autostart value and data folder: a first run again.
void ForgetEverything();
// A REG_DWORD of the program's key; fallback when it is missing or of another type.
DWORD ReadSetting(const char* name, DWORD fallback);
void WriteSetting(const char* name, DWORD value);
std::string AppDataFolder();
void PostToAll(const char* registeredName);

// While it lives, the processes started from then on see the system DPI dpi: the system reads
// "LogPixels" when a process starts. The value it found is put back.
class NewProcessDpi {
public:
    explicit NewProcessDpi(DWORD dpi);
    ~NewProcessDpi();
    NewProcessDpi(const NewProcessDpi&) = delete;
    NewProcessDpi& operator=(const NewProcessDpi&) = delete;

private:
    bool had_ = false;
    DWORD was_ = 0;
};

// Runs the command line to its end (at most timeoutMs) and gives what it wrote to stdout and
// stderr; exitCode is STILL_ACTIVE when it had to be ended.
std::string RunCaptured(const std::string& commandLine, DWORD timeoutMs, DWORD& exitCode);
