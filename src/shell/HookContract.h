// What the program and the hook library Kestrola.dll share: the block, the names, the packing.
// Used by both sides, so it depends on nothing but the standard library.
#pragma once
#include <cstddef>
#include <cstdint>

namespace hook {

constexpr const char* kBlockName = "Kestrola_HookName_3AED8BAF-5BE5-40F5-A6EA-08C2C119A239";
constexpr const char* kShowMenuMessage = "WM_ShowMenu_Kestrola_EF13C7FD-CEB5-4A5F-8B7A-A7F0D94A30CE";
constexpr const char* kOptionsUpdateMessage =
    "WM_OptionsUpdate_Kestrola_D142D3B8-02CC-4BBD-821B-BF35692BA4F2";
constexpr const char* kLibraryName = "Kestrola.dll";
constexpr const char* kCallWndProcExport = "CallWNDProc";
constexpr const char* kGetMessageExport = "GetMessageProc";

}  // namespace hook

// The named shared block, 28 bytes of little-endian 32-bit fields.
struct HookSharedBlock {
    uint32_t CallWndProcHook;   // HHOOK of WH_CALLWNDPROC, 0 when not installed
    uint32_t MainWindow;        // HWND of the program's main window
    uint32_t GetMessageHook;    // HHOOK of WH_GETMESSAGE, 0 when not installed
    int32_t IntegrateWithSystem;
    int32_t LeftWindowsAlt;
    int32_t RightWindowsAlt;
    int32_t WindowsApplications;
};

static_assert(sizeof(HookSharedBlock) == 28, "the block is 28 bytes");
static_assert(offsetof(HookSharedBlock, CallWndProcHook) == 0, "offset 0");
static_assert(offsetof(HookSharedBlock, MainWindow) == 4, "offset 4");
static_assert(offsetof(HookSharedBlock, GetMessageHook) == 8, "offset 8");
static_assert(offsetof(HookSharedBlock, IntegrateWithSystem) == 12, "offset 12");
static_assert(offsetof(HookSharedBlock, LeftWindowsAlt) == 16, "offset 16");
static_assert(offsetof(HookSharedBlock, RightWindowsAlt) == 20, "offset 20");
static_assert(offsetof(HookSharedBlock, WindowsApplications) == 24, "offset 24");

// A screen rectangle carried by the show-menu message, each side in 16 bits.
struct ShowRectangle {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct PackedRect {
    uint32_t wParam;
    uint32_t lParam;
};

inline PackedRect PackShowRect(const ShowRectangle& r) {
    auto word = [](int v) { return static_cast<uint32_t>(v) & 0xFFFFu; };
    return {(word(r.left) << 16) | word(r.top), (word(r.right) << 16) | word(r.bottom)};
}

// Read back as signed: a monitor left of or above the primary one has negative coordinates, and
// no screen reaches 32,768 pixels.
inline ShowRectangle UnpackShowRect(uint32_t wParam, uint32_t lParam) {
    auto side = [](uint32_t v) { return static_cast<int>(static_cast<int16_t>(static_cast<uint16_t>(v))); };
    return {side(wParam >> 16), side(wParam), side(lParam >> 16), side(lParam)};
}
