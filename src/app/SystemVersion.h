// The Windows-version flags of the running system, set once by DetectWindowsVersion.
#pragma once

extern bool IsWindowsXP;
extern bool Win2000OrLater;
extern bool XpOrLater;

void DetectWindowsVersion();
