#include "support/UnixProcess.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

std::string ReadProcFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char b[4096];
    DWORD got = 0;
    while (ReadFile(h, b, sizeof b, &got, nullptr) && got > 0) text.append(b, got);
    CloseHandle(h);
    return text;
}

std::vector<std::string> NumericEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string n = fd.cFileName;
        if (!n.empty() && std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; }))
            names.push_back(n);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

long long StatusField(const std::string& status, const std::string& key) {
    size_t at = status.find(key + ":");
    return at == std::string::npos ? 0 : std::atoll(status.c_str() + at + key.size() + 1);
}

// utime and stime of a stat line: fields 14 and 15, counted after the name in parentheses.
long long StatTicks(const std::string& stat) {
    size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream rest(stat.substr(close + 1));
    std::string field;
    long long ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i)
        if (i >= 14) ticks += std::atoll(field.c_str());
    return ticks;
}

std::string ProcFolder(int pid) { return "Z:\\proc\\" + std::to_string(pid); }

}  // namespace

int FindUnixProcess(const std::string& exePath) {
    // The whole path, as Wine gives it as the first word of the command line: a copy of the same
    // file name elsewhere (another checkout, another benchmark) is another process.
    // Where the path reads otherwise there, only a file name that one process alone has will do.
    std::string wanted = Lower(exePath), name = wanted.substr(wanted.find_last_of('\\') + 1);
    int byName = 0, named = 0;
    for (const std::string& pid : NumericEntries("Z:\\proc")) {
        std::string cmd = ReadProcFile("Z:\\proc\\" + pid + "\\cmdline");
        std::string first = Lower(cmd.substr(0, cmd.find('\0')));
        if (first == wanted || first == "\"" + wanted + "\"") return std::atoi(pid.c_str());
        std::string last = first.substr(first.find_last_of("\\/") + 1);
        if (last == name || last == name + "\"") {
            byName = std::atoi(pid.c_str());
            ++named;
        }
    }
    return named == 1 ? byName : 0;
}

ProcessCounters ReadCounters(int unixPid) {
    ProcessCounters c;
    std::string folder = ProcFolder(unixPid);
    c.cpuTicks = StatTicks(ReadProcFile(folder + "\\stat"));
    c.peakResidentKb = StatusField(ReadProcFile(folder + "\\status"), "VmHWM");
    for (const std::string& tid : NumericEntries(folder + "\\task")) {
        std::string status = ReadProcFile(folder + "\\task\\" + tid + "\\status");
        c.contextSwitches +=
            StatusField(status, "voluntary_ctxt_switches") + StatusField(status, "nonvoluntary_ctxt_switches");
        ++c.threads;
    }
    return c;
}

bool WaitUntilQuiet(int unixPid, unsigned quietMs, unsigned timeoutMs) {
    DWORD start = GetTickCount(), quietSince = start;
    long long last = ReadCounters(unixPid).cpuTicks;
    while (GetTickCount() - start < timeoutMs) {
        Sleep(50);
        long long now = ReadCounters(unixPid).cpuTicks;
        if (now != last) {
            last = now;
            quietSince = GetTickCount();
        } else if (GetTickCount() - quietSince >= quietMs) {
            return true;
        }
    }
    return false;
}
