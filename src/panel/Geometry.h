// The panel's grid in pixels: sizes per entry count, cell origins, caption rectangles; pure.
#pragma once
#include <cstdint>
#include <vector>

#include "catalogue/Folder.h"
#include "catalogue/SlotMap.h"
#include "platform/Numbers.h"

// Every fixed length below is given at 96 DPI and held at the system's DPI (Px), read once at
// start with the metrics, which follow the DPI themselves.
struct PanelGeometry {
    int Dpi = kBaseDpi;
    int Px(int px) const { return ScalePixels(px, Dpi); }
    int CellWidth = 75, CellHeight = 75;
    int IconWidth = 32, IconHeight = 32;
    int SmallIconWidth = 16, SmallIconHeight = 16;
    int IconInset = 5;
    int BlockGap = 7;
    int LineWidth = 1;
    int LeftMargin = 6;
    int HeaderHeight = 30;
    int ItemCount = 0, QuickCount = 0;
    int Columns = 3, Rows = 0;
    int StoredColumns = -1, StoredRows = -1;
    int QuickAreaHeight = 0;
    int GridTop = 34;
    bool DropShadow = false;
    // Blocks of 3 x 3 cells.
    int BlockWidth() const { return 3 * CellWidth; }
    int BlockHeight() const { return 3 * CellHeight; }
};

struct Point {
    int x, y;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct GridSize {
    int columns, rows;
};
// Main grid for a number of entries: columns a multiple of 3 (at least 3), rows a multiple of 3.
GridSize MainGridSize(int itemCount);
int QuickRows(int quickCount, int columns);

int ComputeGridTop(const PanelGeometry& g);  // uses QuickAreaHeight
struct ClientSize {
    int width, height;
};
ClientSize ComputeClientSize(const PanelGeometry& g);  // uses StoredColumns/Rows, QuickAreaHeight

Point MainCellOrigin(const PanelGeometry& g, int slot);
Point QuickCellOrigin(const PanelGeometry& g, int position);
TextRectF CaptionRect(const PanelGeometry& g, Point cell);

// The entries' cells and caption rectangles from their slots (quick entries: positions).
void PlaceEntries(std::vector<TFolder>& entries, const PanelGeometry& g);
