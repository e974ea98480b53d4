#include "app/SystemVersion.h"

#include <windows.h>

#include "app/WindowsVersion.h"

bool IsWindowsXP = false;
bool Win2000OrLater = false;
bool XpOrLater = false;

void DetectWindowsVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return;
    VersionReport r;
    r.platform = static_cast<int>(info.dwPlatformId);
    r.major = info.dwMajorVersion;
    r.minor = info.dwMinorVersion;
    r.build = info.dwBuildNumber;
    r.servicePack = info.szCSDVersion;
    WindowsVersion v = ClassifyWindowsVersion(r);
    IsWindowsXP = v.IsWindowsXP;
    Win2000OrLater = v.Win2000OrLater;
    XpOrLater = v.XpOrLater;
}
