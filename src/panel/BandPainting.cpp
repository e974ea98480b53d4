// The scroll bands' painting: gradient, frame and three chevrons per band.
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>

#include "panel/Painter.h"

using namespace Gdiplus;

void PanelPainter::DrawBand(Graphics& g, BandSide side, const IntRect& r) {
    BandLayout b = LayoutBand(side, r, view_.ScrollBand, geometry_.Dpi);
    uint32_t rgb = Colours.ItemTextColor & 0x00FFFFFFu;
    // The gradient runs across the band, from the desktop edge (alpha 100) inwards (alpha 30). Built
    // from a rectangle: a gradient given by two points on one axis is refused by some GDI+ versions.
    Color edge(static_cast<ARGB>((100u << 24) | rgb)), inner(static_cast<ARGB>((30u << 24) | rgb));
    bool horizontal = side == BandSide::Left || side == BandSide::Right;
    bool edgeFirst = side == BandSide::Left || side == BandSide::Top;
    Rect span = horizontal ? Rect(std::min(b.gradient.fromX, b.gradient.toX), r.top, view_.ScrollBand, r.bottom - r.top)
                           : Rect(r.left, std::min(b.gradient.fromY, b.gradient.toY), r.right - r.left, view_.ScrollBand);
    LinearGradientBrush brush(span, edgeFirst ? edge : inner, edgeFirst ? inner : edge,
                              horizontal ? LinearGradientModeHorizontal : LinearGradientModeVertical);
    brush.SetWrapMode(WrapModeTile);
    Pen frame(Color(static_cast<ARGB>(Colours.HighlightTextColor)), 1);
    Pen outline(Color(static_cast<ARGB>(Colours.ItemTextColor)), 1);
    g.FillRectangle(&brush, b.fill.x, b.fill.y, b.fill.width, b.fill.height);
    g.DrawRectangle(&frame, b.frame.x, b.frame.y, b.frame.width, b.frame.height);
    for (int k = 0; k < 3; ++k) {
        int cx = b.tipX[k], cy = b.tipY[k];
        // The figure for a left tip; the other sides swap axes or mirror it.
        auto line = [&](Pen& pen, int m, int from, int to) {
            switch (side) {
                case BandSide::Left: g.DrawLine(&pen, cx + m, cy + from, cx + m, cy + to); break;
                case BandSide::Right: g.DrawLine(&pen, cx - m, cy + from, cx - m, cy + to); break;
                case BandSide::Top: g.DrawLine(&pen, cx + from, cy + m, cx + to, cy + m); break;
                case BandSide::Bottom: g.DrawLine(&pen, cx + from, cy - m, cx + to, cy - m); break;
            }
        };
        for (int m = 0; m < b.chevronDepth; ++m) line(outline, m, -m, m);
        for (int m = 1; m < b.chevronDepth; ++m) line(frame, m, -m + 1, m - 1);
    }
}

void PanelPainter::DrawLeftArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Left, r); }
void PanelPainter::DrawRightArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Right, r); }
void PanelPainter::DrawTopArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Top, r); }
void PanelPainter::DrawBottomArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Bottom, r); }
