// KestrolaSetup.dll: the installer's plugin. Starts the installed program as the logged-on user,
// never with the installer's elevated rights: the desktop's own Explorer is asked to start it, so
// the program gets Explorer's (the user's, unelevated) token. Used only inside the installer and
// removed with its plugin folder; nothing of it is installed.
#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <string>

#include "platform/ComPtr.h"

namespace {

// The plugin interface of the Unicode installers: the installer's stack of strings.
struct NsisStack {
    NsisStack* next;
    wchar_t text[1];
};

std::wstring Pop(NsisStack** top) {
    if (!top || !*top) return L"";
    NsisStack* node = *top;
    std::wstring text = node->text;
    *top = node->next;
    GlobalFree(node);
    return text;
}

void Push(NsisStack** top, const std::wstring& text) {
    if (!top) return;
    auto* node = static_cast<NsisStack*>(GlobalAlloc(GPTR, sizeof(NsisStack) + text.size() * sizeof(wchar_t)));
    if (!node) return;
    lstrcpyW(node->text, text.c_str());
    node->next = *top;
    *top = node;
}

// Owns a BSTR made from a string.
struct Bstr {
    BSTR b;
    explicit Bstr(const std::wstring& s) : b(SysAllocString(s.c_str())) {}
    ~Bstr() { SysFreeString(b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
};

// The desktop's Explorer starts the program: ShellWindows finds the desktop's browser, its view's
// automation object leads to the shell application object, whose ShellExecute runs in Explorer.
HRESULT StartThroughDesktop(const std::wstring& file, const std::wstring& folder) {
    ComPtr<IShellWindows> windows;
    HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.PutVoid());
    if (FAILED(hr)) return hr;
    VARIANT location, root;
    VariantInit(&location);
    VariantInit(&root);
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    long desktopWindow = 0;
    ComPtr<IDispatch> browserDispatch;
    hr = windows->FindWindowSW(&location, &root, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, browserDispatch.Put());
    if (hr != S_OK || !browserDispatch) return FAILED(hr) ? hr : E_FAIL;
    ComPtr<IServiceProvider> services;
    if (FAILED(hr = browserDispatch->QueryInterface(IID_IServiceProvider, services.PutVoid()))) return hr;
    ComPtr<IShellBrowser> browser;
    if (FAILED(hr = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.PutVoid()))) return hr;
    ComPtr<IShellView> view;
    if (FAILED(hr = browser->QueryActiveShellView(view.Put())) || !view) return FAILED(hr) ? hr : E_FAIL;
    ComPtr<IDispatch> viewDispatch;
    if (FAILED(hr = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, viewDispatch.PutVoid()))) return hr;
    ComPtr<IShellFolderViewDual> folderView;
    if (FAILED(hr = viewDispatch->QueryInterface(IID_IShellFolderViewDual, folderView.PutVoid()))) return hr;
    ComPtr<IDispatch> application;
    if (FAILED(hr = folderView->get_Application(application.Put())) || !application) return FAILED(hr) ? hr : E_FAIL;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(hr = application->QueryInterface(IID_IShellDispatch2, shell.PutVoid()))) return hr;
    Bstr bfile(file), bfolder(folder), bverb(L"open");
    VARIANT args, dir, verb, show;
    VariantInit(&args);
    VariantInit(&dir);
    VariantInit(&verb);
    VariantInit(&show);
    dir.vt = VT_BSTR;
    dir.bstrVal = bfolder.b;
    verb.vt = VT_BSTR;
    verb.bstrVal = bverb.b;
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    return shell->ShellExecute(bfile.b, args, dir, verb, show);
}

// Only Vista and later answer; XP has no elevation, and what it starts runs as the installer does.
bool Elevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    DWORD elevated = 0, size = 0;
    constexpr auto kTokenElevation = static_cast<TOKEN_INFORMATION_CLASS>(20);
    BOOL ok = GetTokenInformation(token, kTokenElevation, &elevated, sizeof elevated, &size);
    CloseHandle(token);
    return ok && elevated != 0;
}

std::wstring FolderOf(const std::wstring& file) {
    size_t cut = file.find_last_of(L"\\/");
    return cut == std::wstring::npos ? L"" : file.substr(0, cut);
}

}  // namespace

// ExecAsUser "<program>": pushes "desktop" when the desktop's Explorer started it, "direct" when
// the installer is not elevated and started it itself, and "not started: <code>" when it is
// elevated and the desktop could not be asked (another shell, or the installer runs as another
// account): then the program is better left to the user's next start than run elevated.
extern "C" __declspec(dllexport) void __cdecl ExecAsUser(HWND, int, wchar_t*, NsisStack** stack, void*) {
    std::wstring file = Pop(stack);
    std::wstring folder = FolderOf(file);
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HRESULT hr = StartThroughDesktop(file, folder);
    if (SUCCEEDED(init)) CoUninitialize();
    if (SUCCEEDED(hr)) {
        Push(stack, L"desktop");
        return;
    }
    if (!Elevated()) {
        auto started = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
        if (started > 32) {
            Push(stack, L"direct");
            return;
        }
    }
    wchar_t code[16];
    wsprintfW(code, L"%08lx", static_cast<unsigned long>(hr));
    Push(stack, std::wstring(L"not started: ") + code);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
