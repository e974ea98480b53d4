#include "platform/Log.h"

#include <windows.h>

#include "platform/ProgramFolder.h"
#include "platform/Error.h"
#include "platform/Handle.h"
#include "platform/Text.h"
#include "platform/LogFormat.h"

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
    m.midnight = st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0 && st.wMilliseconds == 0;
    m.milliseconds = st.wMilliseconds;
    return m;
}

[[noreturn]] void RaiseIo(DWORD code) {
    throw InOutError("I/O error " + std::to_string(code) + ": " + SystemErrorText(code));
}

LogFailureDisplay g_logFailureDisplay = nullptr;

}  // namespace

void SetLogFailureDisplay(LogFailureDisplay display) { g_logFailureDisplay = display; }

void ShowLogFailure(const std::exception& e) noexcept {
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
    UniqueHandle file(CreateFileA(LogFileName().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) RaiseIo(GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size())
        RaiseIo(GetLastError());
    if (!CloseHandle(file.Release())) RaiseIo(GetLastError());
}
