#include "panel/ShellContextMenu.h"

#include <shlobj.h>

#include "platform/ComPtr.h"
#include "platform/Error.h"
#include "platform/Handle.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

const char* const kCallbackClass = "ICMCALLBACKWND";

struct ComScope {
    bool owned = CoInitializeEx(nullptr, 0) == S_OK;
    ~ComScope() {
        if (owned) CoUninitialize();
    }
};

// An identifier list from the shell allocator, freed with it.
struct ItemList {
    LPITEMIDLIST pidl = nullptr;
    ~ItemList() {
        ComPtr<IMalloc> malloc;
        if (pidl && SUCCEEDED(SHGetMalloc(malloc.Put()))) malloc->Free(pidl);
    }
};

// The call's own result says more than a last error left behind by some earlier call.
void Check(HRESULT hr) {
    if (FAILED(hr)) throw Error(SystemErrorText(static_cast<DWORD>(hr)));
}

LRESULT CALLBACK MenuCallbackWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
            return DefWindowProcA(window, msg, wParam, lParam);
        }
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_INITMENUPOPUP: {
            // Owner-drawn and cascading items of shell extensions are theirs to draw and fill.
            auto* menu = reinterpret_cast<IContextMenu2*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (menu) menu->HandleMenuMsg(msg, wParam, lParam);
            return msg == WM_INITMENUPOPUP ? 0 : 1;
        }
        default:
            return DefWindowProcA(window, msg, wParam, lParam);
    }
}

HWND CreateMenuCallbackWindow(IContextMenu2* menu) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MenuCallbackWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kCallbackClass;
    RegisterClassA(&wc);  // fails harmlessly when an earlier call registered it
    return CreateWindowExA(0, kCallbackClass, kCallbackClass, WS_POPUPWINDOW, 0, 0, 0, 0, nullptr, nullptr, instance,
                           menu);
}

}  // namespace

void ShowShellContextMenu(const std::string& path, POINT screen, HWND owner) {
    // Declared in reverse order of release: the window goes before the interfaces it points to.
    ComScope com;
    ItemList folderList, childList;
    ComPtr<IShellFolder> desktop, folder;
    ComPtr<IContextMenu> menu;
    ComPtr<IContextMenu2> menu2;
    UniqueMenu popup;
    UniqueWindow callback;

    std::string folderPart = FolderPart(path), namePart = LastComponent(path);
    Check(SHGetDesktopFolder(desktop.Put()));

    std::wstring folderWide = ToWide(folderPart), nameWide = ToWide(namePart);
    if (!namePart.empty()) {
        Check(desktop->ParseDisplayName(owner, nullptr, &folderWide[0], nullptr, &folderList.pidl, nullptr));
        Check(desktop->BindToObject(folderList.pidl, nullptr, IID_IShellFolder, folder.PutVoid()));
        folder->ParseDisplayName(owner, nullptr, &nameWide[0], nullptr, &childList.pidl, nullptr);
    } else {
        // A drive root is a child of My Computer.
        Check(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &folderList.pidl));
        Check(desktop->BindToObject(folderList.pidl, nullptr, IID_IShellFolder, folder.PutVoid()));
        folder->ParseDisplayName(owner, nullptr, &folderWide[0], nullptr, &childList.pidl, nullptr);
    }
    if (!childList.pidl) return;
    LPCITEMIDLIST child = childList.pidl;
    if (FAILED(folder->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, menu.PutVoid()))) return;

    popup.Reset(CreatePopupMenu());
    if (!popup) throw Error(SystemErrorText(GetLastError()));
    // With nothing in the menu there is nothing to show.
    if (FAILED(menu->QueryContextMenu(popup.Get(), 0, 1, 0x7FFF, CMF_EXPLORE))) return;
    if (SUCCEEDED(menu->QueryInterface(IID_IContextMenu2, menu2.PutVoid())))
        callback.Reset(CreateMenuCallbackWindow(menu2.Get()));
    HWND menuOwner = callback ? callback.Get() : owner;
    UINT chosen = static_cast<UINT>(TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y,
                                                   0, menuOwner, nullptr));
    callback.Reset();
    menu2.Reset();
    if (!chosen) return;
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(chosen - 1);
    info.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&info);
}
