// Synthetic pointer and keyboard input for the driver tests, and the menu it opens.
#pragma once
#include <windows.h>

#include <functional>

void Key(BYTE vk);  // press and release
void MoveTo(POINT screen);
// Moves there until cond holds, within timeoutMs: a synthesized move is now and then lost (the
// first input of a fresh process, a warp onto the point the pointer is already on), so the move
// is repeated, a pixel apart, while waiting.
bool HoverUntil(POINT screen, const std::function<bool()>& cond, DWORD timeoutMs = 3000);
void Click(POINT screen, bool right = false);
// A window of this process, of a class registered for it: another application, a taskbar.
HWND MakeWindow(const char* cls, const char* title, DWORD style, HWND parent, int x, int y, int w, int h,
                WNDPROC proc = DefWindowProcA);
// Where the window lies on the screen.
RECT ScreenRect(HWND window);
// What the screen shows there.
COLORREF ScreenPixel(int x, int y);
// The visible popup menu window of any process, or null.
HWND OpenMenuWindow();
