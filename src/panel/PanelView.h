// What the pointer changes and painting shows: the highlighted entry, and the scroll state of a
// panel that reaches past the desktop.
#pragma once
#include <windows.h>

#include "panel/ScrollBands.h"

struct PanelView {
    int CurrentItem = -1;
    int ScrollX = 0, ScrollY = 0, ScrollBand = 0;
    bool OffDesktopX = false, OffDesktopY = false;
    ArrowFlags Arrows;  // the bands shown
};

// The window's place on the virtual screen; a window of no handle lies at 0, 0 with no size.
PanelPlace PlaceOfWindow(HWND window);
// The arrow flags for the window's place and the view's scroll offsets.
void UpdateArrowFlags(PanelView& view, const PanelPlace& place);
