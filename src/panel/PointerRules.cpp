#include "panel/PointerRules.h"

#include <cstdlib>

#include "catalogue/Folder.h"

int HitTest(const std::vector<CellOrigin>& cells, int cw, int ch, int sx, int sy, int px, int py) {
    int x = px - sx, y = py - sy;
    for (size_t i = 0; i < cells.size(); ++i)
        if (cells[i].x <= x && x < cells[i].x + cw && cells[i].y <= y && y < cells[i].y + ch)
            return static_cast<int>(i);
    return -2;
}

PointerShape PointerShapeFor(bool overEntry, int kind) {
    if (!overEntry) return PointerShape::Arrow;
    return kind == ekFolder || kind == ekQuickFolder ? PointerShape::System : PointerShape::Hand;
}

bool IsClick(int pressX, int pressY, int releaseX, int releaseY) {
    return std::abs(pressX - releaseX) < 16 && std::abs(pressY - releaseY) < 16;
}

bool InDragHandle(int x, int y, int headerHeight, int panelWidth) {
    return y <= headerHeight && x >= 0 && x <= panelWidth - 210;
}

Point DelayedPlacement(const IntRect& r, int cw, int ch, int workWidth, int workHeight) {
    Point p;
    p.x = r.right + cw > workWidth ? r.right - cw - 50 : r.right - 20;
    if (r.bottom - ch > 0)
        p.y = r.bottom - ch + 10;
    else if (r.bottom + ch > workHeight)
        p.y = (workHeight - ch) / 2;
    else
        p.y = r.bottom;
    if (p.x < 0) p.x = 0;
    if (p.y < 0) p.y = 0;
    return p;
}

bool InsideShowRect(const IntRect& r, int x, int y) { return r.Contains(x, y); }

int SubmenuLeft(int anchorX, int menuWidth, int cellWidth, int desktopRight) {
    return desktopRight < anchorX + menuWidth ? anchorX + 10 - menuWidth - cellWidth : anchorX;
}

void PullBackScroll(const PanelPlace& p, int& sx, int& sy) {
    // Positions relative to the virtual screen's origin, which lies left of or above 0 when a
    // monitor is placed there.
    int left = p.left - p.desktopLeft, top = p.top - p.desktopTop;
    if (left > 0 && sx < 0 && sx + left + p.width < p.desktopWidth) sx = p.desktopWidth - p.width - left;
    if (left < 0 && sx > 0 && sx + left > 0) sx = -left;
    if (top > 0 && sy < 0 && sy + top + p.height < p.desktopHeight) sy = p.desktopHeight - p.height - top;
    if (top < 0 && sy > 0 && sy + top > 0) sy = -top;
}
