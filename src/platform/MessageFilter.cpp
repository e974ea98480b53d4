#include "platform/MessageFilter.h"

int AllowFromLessPrivilegedProcesses(std::initializer_list<UINT> messages) {
    // Looked up at run time: XP's user32 lacks it, and the program must load there.
    using ChangeWindowMessageFilterFn = BOOL(WINAPI*)(UINT, DWORD);
    constexpr DWORD kAdd = 1;  // MSGFLT_ADD
    auto fn = reinterpret_cast<ChangeWindowMessageFilterFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilter")));
    if (!fn) return 0;
    int allowed = 0;
    for (UINT m : messages)
        if (m != 0 && fn(m, kAdd)) ++allowed;
    return allowed;
}
