#include "shell/Links.h"

#include <shellapi.h>

#include <string>

// The shell reports its own failures (no mail program, no browser).
void OpenSupportMail(HWND owner) {
    std::string link = std::string("mailto:") + kSupportAddress + "?subject=Kestrola%201.4";
    ShellExecuteA(owner, "open", link.c_str(), nullptr, nullptr, SW_SHOW);
}

void OpenWebPage() { ShellExecuteA(nullptr, nullptr, kWebPage, nullptr, nullptr, SW_SHOWNORMAL); }
