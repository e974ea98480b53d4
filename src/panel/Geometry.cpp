#include "panel/Geometry.h"

#include <algorithm>
#include <cmath>

int BlockOrder(int i, int j) {
    int n = std::max(i, j);
    int before = (n - 1) * (n - 1);
    return (j == n && i < n) ? before + i : before + (n - 1) + j;
}

int SlotOfCell(int column, int row) {
    int b = BlockOrder((row - 1) / 3 + 1, (column - 1) / 3 + 1);
    return (b - 1) * 9 + ((row - 1) % 3) * 3 + ((column - 1) % 3) + 1;
}

Cell CellOfSlot(int slot) {
    int b = (slot - 1) / 9 + 1;
    // Inverse of BlockOrder: block b lies on ring n with (n-1)^2 < b <= n^2.
    int n = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(b))));
    while ((n - 1) * (n - 1) >= b) --n;
    while (n * n < b) ++n;
    int k = b - (n - 1) * (n - 1);  // 1 .. 2n-1
    int i, j;
    if (k < n) {
        i = k;
        j = n;
    } else {
        i = n;
        j = k - (n - 1);
    }
    int r = (slot - 1) % 9;
    return {(j - 1) * 3 + (r % 3) + 1, (i - 1) * 3 + (r / 3) + 1};
}

int SlotOfPosition(int k, int width) { return SlotOfCell((k - 1) % width + 1, (k - 1) / width + 1); }

Cell QuickPositionToXY(int position, int columns) {
    return {(position - 1) % columns + 1, (position - 1) / columns + 1};
}

GridSize MainGridSize(int itemCount) {
    int b = static_cast<int>(std::ceil((itemCount - 1) / 1.25));
    int columns = 3 * static_cast<int>(std::ceil(std::sqrt(std::max(0, b) * 1.25) / 3));
    if (columns < 1) columns = 3;
    int rows = 3 * static_cast<int>(std::ceil(static_cast<double>(itemCount) / columns / 3));
    if (rows > columns) std::swap(rows, columns);
    return {columns, rows};
}

int QuickRows(int quickCount, int columns) { return quickCount > 0 ? (quickCount - 1) / columns + 1 : 0; }

int ComputeGridTop(const PanelGeometry& g) {
    int top = g.QuickAreaHeight + g.LineWidth + g.HeaderHeight + g.BlockGap / 2;
    if (g.QuickAreaHeight > 0) top += g.BlockGap;
    return top;
}

double RoundHalfEvenReal(double value) {
    double r = std::floor(value + 0.5);
    if (r - value == 0.5 && std::fmod(r, 2.0) != 0.0) r -= 1.0;  // exactly half: to even
    return r;
}

int RoundHalfEven(double value) { return static_cast<int>(RoundHalfEvenReal(value)); }

ClientSize ComputeClientSize(const PanelGeometry& g) {
    ClientSize s;
    s.width = RoundHalfEven(g.StoredColumns / 3.0) * g.BlockGap + g.StoredColumns * g.CellWidth + g.LeftMargin;
    s.height = RoundHalfEven(g.StoredRows / 3.0) * g.BlockGap + g.StoredRows * g.CellHeight +
               g.QuickAreaHeight + g.HeaderHeight;
    if (g.DropShadow) {
        s.width += g.LineWidth;
        s.height += g.LineWidth;
    }
    if (g.QuickAreaHeight > 0) s.height += g.BlockGap;
    return s;
}

Point MainCellOrigin(const PanelGeometry& g, int slot) {
    Cell c = CellOfSlot(slot);
    return {((c.column - 1) / 3) * g.BlockGap + (c.column - 1) * g.CellWidth + g.LeftMargin,
            ((c.row - 1) / 3) * g.BlockGap + (c.row - 1) * g.CellHeight + g.GridTop};
}

Point QuickCellOrigin(const PanelGeometry& g, int position) {
    Cell c = QuickPositionToXY(position, g.Columns);
    return {(c.column - 1) * g.CellWidth + g.LeftMargin,
            (c.row - 1) * g.CellHeight + g.LineWidth + g.HeaderHeight + 3};
}

TextRectF CaptionRect(const PanelGeometry& g, Point cell) {
    return {static_cast<float>(cell.x), static_cast<float>(cell.y + g.IconHeight + 2 * g.IconInset),
            static_cast<float>(g.CellWidth), static_cast<float>(g.CellHeight - g.IconHeight - 2 * g.IconInset)};
}
