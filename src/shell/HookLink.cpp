// The program's side of the hook library: the shared block, the library and its two hooks.
#include "shell/HookLink.h"

#include "platform/Guarded.h"
#include "shell/Registry.h"

namespace {
HookSharedBlock* BlockIn(const UniqueMapView& v) { return static_cast<HookSharedBlock*>(v.Get()); }

uint32_t Handle32(const void* h) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)); }
}  // namespace

bool THookLink::StartHookLink(HWND mainWindow, const std::string& programFolder) {
    return Guarded("StartHookLink", [&] {
        ShowMenuMessage = RegisterWindowMessageA(hook::kShowMenuMessage);
        OptionsUpdateMessage = RegisterWindowMessageA(hook::kOptionsUpdateMessage);
        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, &inheritable, PAGE_READWRITE, 0,
                                             sizeof(HookSharedBlock), hook::kBlockName));
        if (mapping_ && GetLastError() == ERROR_ALREADY_EXISTS)
            mapping_.Reset(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, hook::kBlockName));
        started_ = true;  // so that the end sequence releases whatever exists
        // Only the copy beside the program: a library planted in the current folder or on the
        // path must not run inside every process of the desktop.
        library_.Reset(LoadLibraryExA((programFolder + hook::kLibraryName).c_str(), nullptr,
                                         LOAD_WITH_ALTERED_SEARCH_PATH));
        if (!library_) return;
        auto getMessage = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(library_.Get(), hook::kGetMessageExport)));
        if (!getMessage) MessageBoxA(nullptr, "Error Get GetMessageProc Adress", hook::kLibraryName, MB_OK);
        auto callWnd = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(library_.Get(), hook::kCallWndProcExport)));
        if (!callWnd) MessageBoxA(nullptr, "Error Get CallWNDProc Adress", hook::kLibraryName, MB_OK);
        if (!mapping_) return;
        view_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(HookSharedBlock)));
        if (!view_) return;
        HookSharedBlock* b = BlockIn(view_);
        b->CallWndProcHook = callWnd ? Handle32(SetWindowsHookExA(WH_CALLWNDPROC, callWnd, library_.Get(), 0)) : 0;
        b->MainWindow = Handle32(mainWindow);
        b->GetMessageHook = getMessage ? Handle32(SetWindowsHookExA(WH_GETMESSAGE, getMessage, library_.Get(), 0)) : 0;
        PublishHookSettings();
    });
}

void THookLink::PublishHookSettings() {
    if (!view_) return;
    HookSharedBlock* b = BlockIn(view_);
    auto setting = [](const char* name) -> int32_t {
        if (!RegValueExists(HKEY_CURRENT_USER, kProgramKey, name)) return 0;
        return static_cast<int32_t>(ReadRegValue(HKEY_CURRENT_USER, kProgramKey, name).ToInteger());
    };
    b->IntegrateWithSystem = setting("IntegrateWithSystem");
    b->LeftWindowsAlt = setting("LeftWindowsAlt");
    b->RightWindowsAlt = setting("RightWindowsAlt");
    b->WindowsApplications = setting("WindowsApplications");
    FlushViewOfFile(view_.Get(), sizeof(HookSharedBlock));
}

bool THookLink::StopHookLink() {
    if (!started_) return true;
    return Guarded("StopHookLink", [&] {
        if (library_) {
            if (view_) {
                HookSharedBlock* b = BlockIn(view_);
                if (b->GetMessageHook) UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<uintptr_t>(b->GetMessageHook)));
                if (b->CallWndProcHook) UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<uintptr_t>(b->CallWndProcHook)));
                b->GetMessageHook = b->CallWndProcHook = 0;
            }
            // Every process passes its message loop once and drops the library.
            PostMessageA(HWND_BROADCAST, WM_NULL, 0, 0);
            library_.Reset();
        }
        view_.Reset();
        mapping_.Reset();
        PostMessageA(HWND_BROADCAST, WM_NULL, 0, 0);
        started_ = false;
    });
}
