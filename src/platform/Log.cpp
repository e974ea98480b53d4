#include "platform/Log.h"

#include <windows.h>

#include "platform/ProgramFolder.h"
#include "platform/Error.h"
#include "platform/Handle.h"
#include "platform/Text.h"
#include "platform/LogFormat.h"

#include <utility>

namespace {

LogMoment Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    char date[128] = {}, time[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
    LogMoment m;
    m.date = date;
    m.time = time;
    m.midnight = IsExactMidnight(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    m.milliseconds = st.wMilliseconds;
    return m;
}

[[noreturn]] void RaiseIo(DWORD code) {
    throw InOutError("I/O error " + std::to_string(code) + ": " + SystemErrorText(code));
}

LogFailureDisplay g_logFailureDisplay = nullptr;
bool g_logFailureShown = false;
std::string g_fallbackFolder;
bool g_fallbackFirst = false;  // the program folder refused a line: keep the lines together

// Appends the line; the system's error code, or 0 when it was written whole.
DWORD Append(const std::string& fileName, const std::string& line) {
    UniqueHandle file(CreateFileA(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr))
        return GetLastError();
    if (written != line.size()) return ERROR_DISK_FULL;
    if (!CloseHandle(file.Release())) return GetLastError();
    return 0;
}

}  // namespace

void SetLogFailureDisplay(LogFailureDisplay display) {
    g_logFailureDisplay = display;
    g_logFailureShown = false;
}

void SetLogFallbackFolder(const std::string& folder) {
    g_fallbackFolder = folder;
    g_fallbackFirst = false;
}

void ShowLogFailure(const std::exception& e) noexcept {
    if (g_logFailureShown) return;
    g_logFailureShown = true;
    try {
        if (g_logFailureDisplay)
            g_logFailureDisplay(e);
        else
            MessageBoxA(nullptr, e.what(), nullptr, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    } catch (...) {
    }
}

void WriteLogOrShow(const std::string& message) noexcept {
    try {
        WriteLog(message);
    } catch (const std::exception& e) {
        ShowLogFailure(e);
    }
}

std::string LogFileName() { return ProgramFolder + "log.txt"; }

void WriteLog(const std::string& message) {
    std::string line = FormatLogLine(Now(), message);
    std::string places[2] = {LogFileName(), g_fallbackFolder.empty() ? "" : g_fallbackFolder + "\\log.txt"};
    if (g_fallbackFirst) std::swap(places[0], places[1]);
    DWORD firstError = 0;
    for (int i = 0; i < 2; ++i) {
        if (places[i].empty()) continue;
        DWORD error = Append(places[i], line);
        if (error == 0) {
            if (i == 1) g_fallbackFirst = !g_fallbackFirst;
            return;
        }
        if (firstError == 0) firstError = error;
    }
    RaiseIo(firstError);
}
