// The product's web page and support mail, as the tray menu and the about box open them.
#pragma once
#include <windows.h>

constexpr const char* kWebPage = "http://www.kestrola.net/";
constexpr const char* kSupportAddress = "support@kestrola.net";

// "mailto:" + the support address + "?subject=Kestrola%201.4", owned by the window, SW_SHOW.
void OpenSupportMail(HWND owner);
// The web page with the shell's default verb.
void OpenWebPage();
