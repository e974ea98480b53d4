// The shell's own context menu for a file or folder, and running the command chosen from it.
#pragma once
#include <windows.h>

#include <string>

// Returns when the menu has closed. Raises Error with the system's text when the item cannot be
// reached. When the shell object offers no IContextMenu2, owner itself owns the tracked menu, so
// the menu still shows (without owner-drawn extension items).
void ShowShellContextMenu(const std::string& path, POINT screen, HWND owner);
