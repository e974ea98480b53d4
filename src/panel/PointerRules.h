// The pointer's rules on the panel: hit test, click, drag handle, placements; pure.
#pragma once
#include <vector>

#include "panel/Geometry.h"
#include "panel/ScrollBands.h"

struct CellOrigin {
    int x, y;
};

// Index of the first entry whose whole cell holds the client point, or -2.
int HitTest(const std::vector<CellOrigin>& cells, int cellWidth, int cellHeight, int scrollX, int scrollY, int px,
            int py);
// The pointer over an entry: the hand for what starts a program, the system's own shape (the
// arrow) over a folder that opens a submenu, the arrow over no entry.
enum class PointerShape { Arrow, Hand, System };
PointerShape PointerShapeFor(bool overEntry, int kind);
// The pixel figures below are for 96 DPI; dpi scales them.
// A release counts as a click within 15 pixels of the press on both axes.
bool IsClick(int pressX, int pressY, int releaseX, int releaseY, int dpi = kBaseDpi);
// The header band is the drag handle, except its rightmost 209 pixels.
bool InDragHandle(int x, int y, int headerHeight, int panelWidth, int dpi = kBaseDpi);

// Where the hook's delayed opening puts the panel beside ShowRect (no stored position).
Point DelayedPlacement(const IntRect& showRect, int clientWidth, int clientHeight, int workWidth, int workHeight,
                       int dpi = kBaseDpi);
// A stored place is used only when the panel there shares a pixel with some monitor: after a
// monitor is unplugged it may lie on none, where no band shows and nothing can drag it back.
bool OnSomeMonitor(const IntRect& panel, const std::vector<IntRect>& monitors);
// Centred in the work area, its own origin added; never left of or above it.
Point CentredIn(const IntRect& work, int width, int height);

// Pointer inside ShowRect: left and top inclusive, right and bottom exclusive.
bool InsideShowRect(const IntRect& showRect, int x, int y);

// Where a folder's submenu is anchored, in client coordinates: 4 pixels inside the cell's right
// edge, 8 above the icon's middle.
Point SubmenuAnchor(const PanelGeometry& g, int cellX, int cellY, int scrollX, int scrollY);

// The folder submenu opens to the left of the entry when it would cross the desktop's right edge
// (the virtual screen's left plus its width).
int SubmenuLeft(int anchorX, int menuWidth, int cellWidth, int desktopRight, int dpi = kBaseDpi);

// After a drag step past the desktop: scroll offsets pulled back so no gap opens beside the contents.
void PullBackScroll(const PanelPlace& p, int& scrollX, int& scrollY);
