// Windows-version codes and the three flags the program decides by; pure, no system calls.
#pragma once
#include <cstdint>
#include <string>

enum class WindowsCode : int {
    Unrecognised = 0,
    Windows95 = 1,
    Windows95OSR2 = 2,
    Windows98 = 3,
    Windows98SE = 4,
    NT3 = 5,
    NT4 = 6,
    Windows2000 = 7,
    WindowsMe = 8,
    WindowsXP = 9,
};

// What GetVersionExA reports, reduced to the fields that matter.
struct VersionReport {
    enum Platform { Win32s = 0, Windows9x = 1, NT = 2 };
    int platform = NT;
    unsigned major = 0;
    unsigned minor = 0;
    uint32_t build = 0;
    std::string servicePack;  // szCSDVersion
};

struct WindowsVersion {
    WindowsCode code = WindowsCode::Unrecognised;
    bool IsWindowsXP = false;
    bool Win2000OrLater = false;
    bool XpOrLater = false;
};

WindowsVersion ClassifyWindowsVersion(const VersionReport& report);
