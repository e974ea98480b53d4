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

bool IsClick(int pressX, int pressY, int releaseX, int releaseY, int dpi) {
    int bound = ScalePixels(16, dpi);
    return std::abs(pressX - releaseX) < bound && std::abs(pressY - releaseY) < bound;
}

bool InDragHandle(int x, int y, int headerHeight, int panelWidth, int dpi) {
    return y <= headerHeight && x >= 0 && x <= panelWidth - ScalePixels(210, dpi);
}

Point DelayedPlacement(const IntRect& r, int cw, int ch, int workWidth, int workHeight, int dpi) {
    Point p;
    p.x = r.right + cw > workWidth ? r.right - cw - ScalePixels(50, dpi) : r.right - ScalePixels(20, dpi);
    if (r.bottom - ch > 0)
        p.y = r.bottom - ch + ScalePixels(10, dpi);
    else if (r.bottom + ch > workHeight)
        p.y = (workHeight - ch) / 2;
    else
        p.y = r.bottom;
    if (p.x < 0) p.x = 0;
    if (p.y < 0) p.y = 0;
    return p;
}

bool OnSomeMonitor(const IntRect& panel, const std::vector<IntRect>& monitors) {
    for (const IntRect& m : monitors)
        if (m.Meets(panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top)) return true;
    return false;
}

Point CentredIn(const IntRect& work, int width, int height) {
    Point p{work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
    if (p.x < work.left) p.x = work.left;
    if (p.y < work.top) p.y = work.top;
    return p;
}

bool InsideShowRect(const IntRect& r, int x, int y) { return r.Contains(x, y); }

Point SubmenuAnchor(const PanelGeometry& g, int cellX, int cellY, int scrollX, int scrollY) {
    return {cellX + scrollX + g.CellWidth - g.Px(4), cellY + scrollY + RoundHalfEven(g.IconHeight / 2.0) - g.Px(8)};
}

int SubmenuLeft(int anchorX, int menuWidth, int cellWidth, int desktopRight, int dpi) {
    return desktopRight < anchorX + menuWidth ? anchorX + ScalePixels(10, dpi) - menuWidth - cellWidth : anchorX;
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
