// How a 32-bit process on 64-bit Windows reaches the native System32; pure.
#pragma once
#include <string>

// WOW64 shows a 32-bit process SysWOW64 wherever a path names <windows>\System32, so a shortcut
// to a 64-bit system program starts nothing (or its 32-bit twin) and shows a generic icon. The
// alias <windows>\Sysnative is the native System32 for such a process. The Sysnative form of a
// path inside System32 (the rest of the path as it was); empty for any other path.
std::string SysnativePath(const std::string& path, const std::string& windowsFolder);
