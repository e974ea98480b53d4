#include "catalogue/Shortcuts.h"

#include <windows.h>

#include "catalogue/Folder.h"
#include "catalogue/ProgramRule.h"
#include "platform/ComPtr.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Handle.h"
#include "platform/Text.h"
#include "platform/Wow64.h"

namespace {

// Frees an identifier list from the shell's allocator.
struct PidlOwner {
    LPITEMIDLIST p = nullptr;
    ~PidlOwner() {
        if (p) CoTaskMemFree(p);
    }
};

ComPtr<IShellLinkA> LoadLink(const std::string& path) {
    ComPtr<IShellLinkA> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid());
    if (FAILED(hr) || !link) throw Error("Cannot create the shell link object");
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || !file)
        throw Error("The shell link object has no IPersistFile");
    file->Load(ToWide(path).c_str(), 0);  // a failed load leaves an empty link
    return link;
}

std::string Text260(HRESULT (STDMETHODCALLTYPE IShellLinkA::*get)(LPSTR, int), IShellLinkA* link) {
    char buffer[MAX_PATH] = {};
    (link->*get)(buffer, MAX_PATH);
    return buffer;
}

[[noreturn]] void RaiseLastError() { throw Error(SystemErrorText(GetLastError())); }

}  // namespace

ShortcutInfo ReadShortcut(const std::string& shortcutPath) {
    ShortcutInfo info;
    if (!FileExists(shortcutPath)) return info;
    ComPtr<IShellLinkA> link = LoadLink(shortcutPath);
    char target[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
    info.target = target;
    std::string arguments = Text260(&IShellLinkA::GetArguments, link.Get());
    info.workingFolder = Text260(&IShellLinkA::GetWorkingDirectory, link.Get());
    info.commandLine = info.target + " " + arguments;
    char icon[MAX_PATH] = {};
    link->GetIconLocation(icon, MAX_PATH, &info.iconIndex);
    info.iconFile = icon;
    return info;
}

int CountPrograms(const std::string& folder, std::string& lastName) {
    int count = 0;
    WIN32_FIND_DATAA fd;
    UniqueFindHandle find(FindFirstFileA((folder + "\\*.lnk").c_str(), &fd));
    if (!find) return 0;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string name = fd.cFileName;
        if (!IsProgramCommandLine(ReadShortcut(folder + "\\" + name).commandLine)) continue;
        if (name != lastName) {
            ++count;
            lastName = name;
        }
    } while (FindNextFileA(find.Get(), &fd));
    return count;
}

std::string SingleProgram(const TFolderPaths& roots, const std::string& folder, const std::string& fallback) {
    if (!DirectoryExists(folder)) return fallback;
    std::string lastName;
    int total = CountPrograms(folder, lastName);
    std::string leaf = folder.substr(folder.find_last_of('\\') + 1);
    for (const std::string* root :
         {&roots.CommonPrograms, &roots.UserPrograms, &roots.CommonStartMenu, &roots.UserStartMenu}) {
        if (root->empty() || AnsiLowerFileName(folder).find(AnsiLowerFileName(*root)) != std::string::npos)
            continue;
        total += CountPrograms(*root + "\\" + leaf, lastName);
    }
    return total == 1 ? lastName : fallback;
}

ResolvedShortcut ResolveShortcut(const std::string& shortcutPath) {
    ResolvedShortcut r;
    ComPtr<IShellLinkA> link;
    try {
        link = LoadLink(shortcutPath.substr(0, MAX_PATH));
    } catch (const Error&) {
        return r;
    }
    if (RunningUnderWow64()) {
        // The 32-bit view lacks what only the native System32 holds; resolving would search for
        // it. The stored target stands when the native file is there.
        char stored[MAX_PATH] = {};
        link->GetPath(stored, MAX_PATH, nullptr, SLGP_RAWPATH);
        std::string target = ExpandVariables(stored);
        std::string native = NativeFileOf(target);
        if (native != target) {
            r.target = native;
            r.arguments = Text260(&IShellLinkA::GetArguments, link.Get());
            r.workingFolder = Text260(&IShellLinkA::GetWorkingDirectory, link.Get());
            r.resolved = true;
            return r;
        }
    }
    // What the 32-bit program finds under WOW64 is the redirected view: it must never be written
    // back into the user's shortcut.
    DWORD flags = SLR_NO_UI | SLR_INVOKE_MSI | (RunningUnderWow64() ? SLR_NOUPDATE : SLR_UPDATE);
    if (FAILED(link->Resolve(nullptr, flags))) return r;
    PidlOwner pidl;
    if (FAILED(link->GetIDList(&pidl.p)) || !pidl.p) return r;
    char path[MAX_PATH] = {};
    r.target = SHGetPathFromIDListA(pidl.p, path) ? std::string(path) : ItemParsingName(pidl.p);
    r.arguments = Text260(&IShellLinkA::GetArguments, link.Get());
    r.workingFolder = Text260(&IShellLinkA::GetWorkingDirectory, link.Get());
    r.resolved = true;
    return r;
}

std::string ItemParsingName(LPCITEMIDLIST item) {
    HRESULT init = CoInitialize(nullptr);
    std::string result;
    {
        ComPtr<IShellFolder> desktop;
        STRRET name = {};
        if (SUCCEEDED(SHGetDesktopFolder(desktop.Put())) && desktop &&
            SUCCEEDED(desktop->GetDisplayNameOf(item, SHGDN_FORPARSING | SHGDN_FORADDRESSBAR, &name))) {
            switch (name.uType) {
                case STRRET_WSTR:
                    result = ToAnsi(name.pOleStr);
                    CoTaskMemFree(name.pOleStr);
                    break;
                case STRRET_OFFSET:
                    result = reinterpret_cast<const char*>(item) + name.uOffset;
                    break;
                case STRRET_CSTR:
                    result = std::string(name.cStr, strnlen(name.cStr, MAX_PATH));
                    break;
            }
        }
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return result;
}

namespace {

ComPtr<IShellFolder> BindFolder(const std::string& folderPart, IShellFolder* desktop) {
    std::wstring wide = ToWide(folderPart);
    PidlOwner folderId;
    if (!desktop || FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &folderId.p, nullptr)))
        RaiseLastError();
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(folderId.p, nullptr, IID_IShellFolder, folder.PutVoid())) || !folder)
        RaiseLastError();
    return folder;
}

}  // namespace

IShellFolder* ShellFolderCache::Get(const std::string& folderPart, IShellFolder* desktop) {
    std::string key = AnsiLowerFileName(folderPart);
    auto it = folders_.find(key);
    if (it == folders_.end()) it = folders_.emplace(key, BindFolder(folderPart, desktop)).first;
    return it->second.Get();
}

namespace {

// The 32-bit shell reads a shortcut's icon through the redirected view; the native file's icon is
// taken straight from it instead. -1 when the shortcut's icon is not a native System32 file.
int NativeShortcutIcon(const std::string& path) {
    ShortcutInfo link = ReadShortcut(path);
    bool ownIcon = !link.iconFile.empty();
    std::string stored = ExpandVariables(ownIcon ? link.iconFile : link.target);
    std::string native = NativeFileOf(stored);
    if (native == stored) return -1;
    using CachedImageIndexFn = int(WINAPI*)(LPCWSTR, int, UINT);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    // By name from Vista on; the older systems that can have Sysnative export it only by number.
    auto fn = reinterpret_cast<CachedImageIndexFn>(
        reinterpret_cast<void*>(GetProcAddress(shell, "Shell_GetCachedImageIndexW")));
    if (!fn) fn = reinterpret_cast<CachedImageIndexFn>(reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(72))));
    if (!fn) return -1;
    int index = fn(ToWide(native).c_str(), ownIcon ? link.iconIndex : 0, 0);
    return index >= 0 ? index : -1;
}

}  // namespace

int ShellIconIndex(const std::string& path, IShellFolder* desktop, ShellFolderCache* folders) {
    if (RunningUnderWow64() && IsShortcutPath(path)) {
        int native = NativeShortcutIcon(path);
        if (native >= 0) return native;
    }
    size_t cut = path.find_last_of('\\');
    std::string folderPart = path.substr(0, cut + 1);
    std::wstring leaf = ToWide(path.substr(cut + 1));
    ComPtr<IShellFolder> own;
    IShellFolder* folder = nullptr;
    if (folders) {
        folder = folders->Get(folderPart, desktop);
    } else {
        own = BindFolder(folderPart, desktop);
        folder = own.Get();
    }
    PidlOwner itemId;
    if (FAILED(folder->ParseDisplayName(nullptr, nullptr, &leaf[0], nullptr, &itemId.p, nullptr)))
        throw Error("Cannot parse " + path);
    ComPtr<IShellIcon> icon;
    if (SUCCEEDED(folder->QueryInterface(IID_IShellIcon, icon.PutVoid())) && icon) {
        int index = 0;
        HRESULT hr = icon->GetIconOf(itemId.p, 0, &index);
        if (FAILED(hr)) throw Error("No icon for " + path);
        if (hr == S_OK) return index;
    }
    SHFILEINFOA info = {};
    return SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) ? info.iIcon : 0;
}
