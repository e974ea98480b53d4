// What the kernel counts of a Wine program: found through the Z: drive's /proc by the program's
// file name in its command line. Wine answers the Windows questions about another process only
// in part, and not at all for its wake-ups.
#pragma once
#include <string>

struct ProcessCounters {
    long long contextSwitches = 0;  // voluntary and forced, all threads
    long long cpuTicks = 0;         // user and system, all threads
    long long peakResidentKb = 0;
    int threads = 0;
};

// The unix process id of the running program with this file name; 0 when there is none.
int FindUnixProcess(const std::string& exeFileName);
ProcessCounters ReadCounters(int unixPid);
// Waits until the process used no CPU for quietMs; false on time-out.
bool WaitUntilQuiet(int unixPid, unsigned quietMs, unsigned timeoutMs);
