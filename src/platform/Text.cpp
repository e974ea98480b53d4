#include "platform/Text.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n, nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring ToWide(const std::string& ansi) { return Widen(ansi, CP_ACP); }
std::string ToAnsi(const std::wstring& wide) { return Narrow(wide, CP_ACP); }
std::wstring FromUtf8(const std::string& utf8) { return Widen(utf8, CP_UTF8); }
std::string ToUtf8(const std::wstring& wide) { return Narrow(wide, CP_UTF8); }

std::string AnsiLowerFileName(const std::string& text) {
    if (text.empty()) return text;
    std::vector<char> buffer(text.begin(), text.end());
    CharLowerBuffA(buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::string(buffer.begin(), buffer.end());
}

std::string SystemErrorText(unsigned long code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n ? std::string(text, n) : "System error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}
