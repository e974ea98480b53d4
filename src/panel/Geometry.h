// The panel's grid: sizes per entry count, slot <-> cell mapping, cell origins; pure.
#pragma once
#include <cstdint>

struct PanelGeometry {
    int CellWidth = 75, CellHeight = 75;
    int IconWidth = 32, IconHeight = 32;
    int SmallIconWidth = 16, SmallIconHeight = 16;
    int IconInset = 5;
    int BlockGap = 7;
    int LineWidth = 1;
    int BlockWidth = 225, BlockHeight = 225;
    int LeftMargin = 6;
    int HeaderHeight = 30;
    int MenuShowDelay = 400;
    int ItemCount = 0, QuickCount = 0;
    int Columns = 3, Rows = 0;
    int StoredColumns = -1, StoredRows = -1;
    int QuickAreaHeight = 0;
    int GridTop = 34;
    bool DropShadow = false;
};

struct Cell {
    int column;  // 1-based
    int row;     // 1-based
    bool operator==(const Cell& o) const { return column == o.column && row == o.row; }
};

struct Point {
    int x, y;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct TextRectF {
    float X, Y, Width, Height;
};

// Block number at 1-based block row i and column j. The first n*n blocks fill an n x n square;
// each new ring goes down its new right column, then along its new bottom row. Beyond 6 x 6
// blocks the same rule goes on, so more than 324 entries still get cells of their own.
int BlockOrder(int blockRow, int blockColumn);

int SlotOfCell(int column, int row);
Cell CellOfSlot(int slot);
int SlotOfPosition(int k, int width);
Cell QuickPositionToXY(int position, int columns);

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

// Round to nearest, halves to even, as the layout, recency and colour rules want.
double RoundHalfEvenReal(double value);
int RoundHalfEven(double value);
