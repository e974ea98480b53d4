#include "platform/Wow64.h"

#include <windows.h>

#include "platform/NativeSystemPath.h"

bool RunningUnderWow64() {
#ifdef _WIN64
    return false;
#else
    // Looked up at run time: XP before SP2 lacks the call, and only 64-bit Windows says yes.
    static const int answer = [] {
        using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
        auto fn = reinterpret_cast<IsWow64ProcessFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
        BOOL wow64 = FALSE;
        return fn && fn(GetCurrentProcess(), &wow64) && wow64 ? 1 : 0;
    }();
    return answer != 0;
#endif
}

namespace {

// Text as it is when the system cannot expand it.
template <typename Text, typename Expand>
Text Expanded(const Text& text, Expand expand) {
    if (text.find('%') == Text::npos) return text;
    DWORD size = expand(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    Text out(size, '\0');
    DWORD written = expand(text.c_str(), &out[0], size);
    if (written == 0 || written > size) return text;
    out.resize(written - 1);
    return out;
}

}  // namespace

std::string ExpandVariables(const std::string& text) { return Expanded(text, ExpandEnvironmentStringsA); }
std::wstring ExpandVariables(const std::wstring& text) { return Expanded(text, ExpandEnvironmentStringsW); }

std::string NativeFileOf(const std::string& path) {
    if (!RunningUnderWow64()) return path;
    char windows[MAX_PATH] = {};
    UINT n = GetSystemWindowsDirectoryA(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return path;
    std::string native = SysnativePath(path, windows);
    // Sysnative cannot be listed, but a file in it can be looked at like any other.
    return !native.empty() && GetFileAttributesA(native.c_str()) != INVALID_FILE_ATTRIBUTES ? native : path;
}
