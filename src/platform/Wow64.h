// The 32-bit program on 64-bit Windows: reaching what the user's 64-bit shell reaches.
#pragma once
#include <string>

// True in a 32-bit process on 64-bit Windows; always false in the 64-bit program.
bool RunningUnderWow64();
// Under WOW64, the native file for a path inside System32 when one exists there (a 32-bit program
// installed "into System32" lives in SysWOW64 and keeps its path); else the path itself.
std::string NativeFileOf(const std::string& path);
// Variables in a path ("%SystemRoot%\system32\x.exe"), expanded with this process's environment.
std::string ExpandVariables(const std::string& text);
std::wstring ExpandVariables(const std::wstring& text);
