#include "catalogue/LocalizedNames.h"

#include <windows.h>

#include <vector>

#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/Wow64.h"

namespace {

std::wstring Lower(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

std::wstring Trimmed(const std::wstring& text) {
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

std::wstring IniOf(const std::string& folder) { return ToWide(folder) + L"\\desktop.ini"; }

bool Exists(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Looked up at run time: Windows XP's shell library may lack it, and XP stores localized names
// on disk anyway.
using LoadIndirectFn = HRESULT(WINAPI*)(PCWSTR, PWSTR, UINT, void**);
LoadIndirectFn LoadIndirect() {
    static const LoadIndirectFn fn = [] {
        HMODULE shlwapi = GetModuleHandleA("shlwapi.dll");
        if (!shlwapi) shlwapi = LoadLibraryA("shlwapi.dll");
        return shlwapi ? reinterpret_cast<LoadIndirectFn>(
                             reinterpret_cast<void*>(GetProcAddress(shlwapi, "SHLoadIndirectString")))
                       : nullptr;
    }();
    return fn;
}

}  // namespace

std::wstring LocalizedNames::Of(const std::string& path, bool directory) {
    std::string folder = path.substr(0, path.find_last_of('\\'));
    if (folder.size() == path.size()) return {};
    if (directory) {
        std::wstring ini = IniOf(path);
        if (Exists(ini)) {
            std::vector<wchar_t> buffer(1024);
            DWORD n = GetPrivateProfileStringW(L".ShellClassInfo", L"LocalizedResourceName", L"", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), ini.c_str());
            std::wstring own = Trimmed(std::wstring(buffer.data(), n));
            if (!own.empty()) {
                std::wstring name = Resolve(own);
                if (!name.empty()) return name;
            }
        }
    }
    const auto& names = FileNamesOf(folder);
    auto it = names.find(Lower(ToWide(LastComponent(path))));
    return it == names.end() ? std::wstring() : Resolve(it->second);
}

const std::map<std::wstring, std::wstring>& LocalizedNames::FileNamesOf(const std::string& folder) {
    auto known = folders_.find(AnsiLowerFileName(folder));
    if (known != folders_.end()) return known->second;
    std::map<std::wstring, std::wstring>& names = folders_[AnsiLowerFileName(folder)];
    std::wstring ini = IniOf(folder);
    if (!Exists(ini)) return names;
    // The section as "key=value" strings, each ended by a zero; a section too large for the
    // buffer is cut at a string's end.
    std::vector<wchar_t> buffer(32767);
    DWORD n = GetPrivateProfileSectionW(L"LocalizedFileNames", buffer.data(), static_cast<DWORD>(buffer.size()),
                                        ini.c_str());
    for (size_t at = 0; at < n;) {
        std::wstring line(buffer.data() + at);
        at += line.size() + 1;
        size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) continue;
        std::wstring key = Lower(Trimmed(line.substr(0, equals))), value = Trimmed(line.substr(equals + 1));
        if (!key.empty() && !value.empty()) names.emplace(key, value);
    }
    return names;
}

std::wstring LocalizedNames::Resolve(const std::wstring& value) {
    if (value[0] != L'@') return value;
    auto known = resolved_.find(value);
    if (known != resolved_.end()) return known->second;
    std::wstring name;
    if (LoadIndirectFn load = LoadIndirect()) {
        wchar_t out[1024] = {};
        if (SUCCEEDED(load(ExpandVariables(value).c_str(), out, 1024, nullptr))) name = out;
    }
    resolved_.emplace(value, name);
    return name;
}
