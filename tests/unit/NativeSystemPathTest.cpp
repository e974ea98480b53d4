#include <gtest/gtest.h>

#include "platform/NativeSystemPath.h"
#include "platform/Paths.h"

TEST(SysnativePath, OnlyPathsInsideTheSystemFolderOfThisWindowsGoThroughTheAlias) {
    struct Case {
        const char* path;
        const char* windows;
        const char* expected;
    } cases[] = {
        {"C:\\Windows\\System32\\SnippingTool.exe", "C:\\Windows", "C:\\Windows\\Sysnative\\SnippingTool.exe"},
        // Shortcuts store any case; the rest of the path keeps its own.
        {"c:\\windows\\SYSTEM32\\OpenSSH\\ssh.exe", "C:\\WINDOWS", "c:\\windows\\Sysnative\\OpenSSH\\ssh.exe"},
        {"C:\\Windows\\System32", "C:\\Windows", "C:\\Windows\\Sysnative"},
        {"C:\\Windows\\System32\\", "C:\\Windows\\", "C:\\Windows\\Sysnative\\"},
        {"C:/Windows/System32/bash.exe", "C:\\Windows", "C:/Windows/Sysnative/bash.exe"},
        {"D:\\WinNT\\system32\\cmd.exe", "D:\\WinNT", "D:\\WinNT\\Sysnative\\cmd.exe"},
        // Not the native System32: left alone.
        {"C:\\Windows\\SysWOW64\\cmd.exe", "C:\\Windows", ""},
        {"C:\\Windows\\System32x\\a.exe", "C:\\Windows", ""},
        {"C:\\Windows\\System3\\a.exe", "C:\\Windows", ""},
        {"C:\\Windows\\notepad.exe", "C:\\Windows", ""},
        {"C:\\WindowsApps\\System32\\a.exe", "C:\\Windows", ""},
        {"D:\\Windows\\System32\\a.exe", "C:\\Windows", ""},
        {"C:\\Program Files\\System32\\a.exe", "C:\\Windows", ""},
        {"C:\\Windows\\Sysnative\\a.exe", "C:\\Windows", ""},
        {"C:\\Win", "C:\\Windows", ""},
        {"", "C:\\Windows", ""},
        {"C:\\Windows\\System32\\a.exe", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SysnativePath(c.path, c.windows), c.expected) << c.path << " in " << c.windows;
}

TEST(AsciiLower, OnlyTheLettersAToZAreLowered) {
    // The neighbours of both ends, and a byte of the code page above ASCII ("Ä" in 1252).
    EXPECT_EQ(AsciiLower("@AZ[`az{\xC4 SYSTEM32"), "@az[`az{\xC4 system32");
}
