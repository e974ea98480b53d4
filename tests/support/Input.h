// Synthetic pointer and keyboard input for the driver tests, and the menu it opens.
#pragma once
#include <windows.h>

void Key(BYTE vk);  // press and release
void MoveTo(POINT screen);
void Click(POINT screen, bool right = false);
// The visible popup menu window of any process, or null.
HWND OpenMenuWindow();
