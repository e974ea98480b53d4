#include "panel/Geometry.h"

#include <algorithm>
#include <cmath>

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
            (c.row - 1) * g.CellHeight + g.LineWidth + g.HeaderHeight + g.Px(3)};
}

TextRectF CaptionRect(const PanelGeometry& g, Point cell) {
    return {static_cast<float>(cell.x), static_cast<float>(cell.y + g.IconHeight + 2 * g.IconInset),
            static_cast<float>(g.CellWidth), static_cast<float>(g.CellHeight - g.IconHeight - 2 * g.IconInset)};
}

void PlaceEntries(std::vector<TFolder>& entries, const PanelGeometry& g) {
    for (TFolder& f : entries) {
        Point cell = IsQuickKind(f.FolderType) ? QuickCellOrigin(g, f.Number) : MainCellOrigin(g, f.Number);
        f.CellX = cell.x;
        f.CellY = cell.y;
        f.TextRect = CaptionRect(g, cell);
    }
}
