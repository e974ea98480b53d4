#include "support/Program.h"

#include <shlobj.h>

#include "shell/Registry.h"
#include "support/TempFolder.h"

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (cond()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::string ThisFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\'));
}

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

std::string ProgramPath() { return ThisFolder() + "\\Kestrola.exe"; }

Program::Program(const std::string& arguments, const std::string& currentFolder, const std::string& exe) {
    std::string cmd = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &si, &info_))
        info_ = {};
}

Program::~Program() {
    if (!info_.hProcess) return;
    // Asked to end first, so that its end sequence runs (tray icon, hooks, watchers).
    if (HWND w = MainWindow()) PostMessageA(w, WM_CLOSE, 0, 0);
    if (Running() && WaitForSingleObject(info_.hProcess, 5000) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

void Program::Kill() {
    TerminateProcess(info_.hProcess, 9);
    WaitForSingleObject(info_.hProcess, 5000);
}

bool Program::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::WaitForExit(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    WaitUntil([&] { return !Running(); }, timeoutMs);
    if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {
struct WindowSearch {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == s->pid && std::string(cls) == s->cls) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND WindowOfProcess(DWORD pid, const char* windowClass) {
    WindowSearch s{pid, windowClass, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND Program::MainWindow() const { return WindowOfProcess(info_.dwProcessId, "TMainForm"); }

HWND Program::WaitForMainWindow(DWORD timeoutMs) const {
    HWND w = nullptr;
    WaitUntil([&] { return (w = MainWindow()) != nullptr; }, timeoutMs);
    return w;
}

std::string AppDataFolder() { return SpecialFolder(CSIDL_APPDATA); }

DWORD ReadSetting(const char* name, DWORD fallback) {
    DWORD v = 0, size = sizeof v;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Halvercot\\Kestrola", name, RRF_RT_REG_DWORD, nullptr, &v,
                     &size) != ERROR_SUCCESS)
        return fallback;
    return v;
}

void WriteSetting(const char* name, DWORD value) {
    WriteRegInteger(HKEY_CURRENT_USER, "Software\\Halvercot\\Kestrola", name, static_cast<long>(value));
}

void ForgetEverything() {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Halvercot\\Kestrola");
    DeleteRegValue(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Kestrola");
    std::string data = AppDataFolder() + "\\Kestrola";
    SetFileAttributesA(data.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(data.c_str());
    RemoveTree(data);
}

void PostToAll(const char* registeredName) {
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(registeredName), 0, 0);
}

namespace {
const char* const kDesktopKey = "Control Panel\\Desktop";
}

NewProcessDpi::NewProcessDpi(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    DWORD size = sizeof was_, type = 0;
    had_ = RegQueryValueExA(key, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&was_), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

NewProcessDpi::~NewProcessDpi() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (had_)
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&was_), sizeof was_);
    else
        RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
}

std::string RunCaptured(const std::string& commandLine, DWORD timeoutMs, DWORD& exitCode) {
    exitCode = STILL_ACTIVE;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "(no pipe)";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    BOOL started = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);  // the child's copy is the only writer left: its end is the pipe's end
    std::string out;
    if (started) {
        DWORD start = GetTickCount();
        char buffer[4096];
        for (;;) {
            DWORD ready = 0;
            if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &ready, nullptr)) break;  // closed
            DWORD got = 0;
            if (ready > 0 && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr)) {
                out.append(buffer, got);
                continue;
            }
            if (GetTickCount() - start >= timeoutMs) {
                TerminateProcess(pi.hProcess, STILL_ACTIVE);
                break;
            }
            Sleep(20);
        }
        WaitForSingleObject(pi.hProcess, 5000);
        GetExitCodeProcess(pi.hProcess, &exitCode);
        if (GetTickCount() - start >= timeoutMs) exitCode = STILL_ACTIVE;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        out = "(not started)";
    }
    CloseHandle(readEnd);
    return out;
}
