// Placing a dialog's controls in pixels, whatever the dialog font's units come to.
#pragma once
#include <windows.h>

#include <initializer_list>

struct ControlPlace {
    int id, x, y, width, height;
};

// Client area exactly width x height, centred on the screen; controls at their pixel places.
void LayOutDialog(HWND dialog, int width, int height, std::initializer_list<ControlPlace> places);
