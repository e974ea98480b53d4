// The program's one icon in the taskbar's notification area, and its balloon.
#pragma once
#include <windows.h>

#include <string>

// Icon id 1 of the window, tip "Kestrola", clicks arrive as TrayCallbackMessage. The icon comes
// from "MAINICON" at 16 x 16 on XP and later, else from "MAINICON16".
void AddTrayIcon(HWND window, HINSTANCE module, UINT callbackMessage, bool xpOrLater);
void RemoveTrayIcon(HWND window);
// Does nothing before Windows 2000. Text is cut at 255 characters, title at 63.
void ShowBalloon(const std::string& title, const std::string& text, DWORD flags, HWND window, bool win2000OrLater);
