// What the kernel counts of a Wine program: found through the Z: drive's /proc by the program's
// full path in its command line. Wine answers the Windows questions about another process only
// in part, and not at all for its wake-ups.
#pragma once
#include <string>

struct ProcessCounters {
    long long contextSwitches = 0;  // voluntary and forced, all threads
    long long cpuTicks = 0;         // user and system, all threads
    long long peakResidentKb = 0;
    int threads = 0;
};

// The unix process id of the running program of this path; 0 when there is none, or when only the
// file name matches and more than one process has it.
int FindUnixProcess(const std::string& exePath);
ProcessCounters ReadCounters(int unixPid);
// Waits until the process used no CPU for quietMs; false on time-out.
bool WaitUntilQuiet(int unixPid, unsigned quietMs, unsigned timeoutMs);
