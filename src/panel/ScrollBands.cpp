#include "panel/ScrollBands.h"

#include "panel/Geometry.h"

#include <algorithm>

// The desktop is the virtual screen: its right and bottom edges are its origin plus its size, and
// the origin lies left of or above 0 when a monitor is placed there.
namespace {
int DesktopRight(const PanelPlace& p) { return p.desktopLeft + p.desktopWidth; }
int DesktopBottom(const PanelPlace& p) { return p.desktopTop + p.desktopHeight; }
}  // namespace

OffDesktop ComputeOffDesktop(const PanelPlace& p) {
    OffDesktop o;
    o.x = p.left < p.desktopLeft || DesktopRight(p) < p.left + p.width;
    o.y = p.top < p.desktopTop || DesktopBottom(p) < p.top + p.height;
    return o;
}

ArrowFlags ComputeArrowFlags(const PanelPlace& p, int sx, int sy) {
    ArrowFlags f;
    f.left = sx + p.left < p.desktopLeft || sx < 0;
    f.right = sx > 0 || DesktopRight(p) < sx + p.left + p.width;
    f.top = sy + p.top < p.desktopTop || sy < 0;
    f.bottom = sy > 0 || DesktopBottom(p) < sy + p.top + p.height;
    return f;
}

IntRect VisibleClientRect(const PanelPlace& p, int sx, int sy) {
    IntRect r;
    r.left = p.left < p.desktopLeft ? p.desktopLeft - p.left : 0;
    r.top = p.top < p.desktopTop ? p.desktopTop - p.top : 0;
    r.right = DesktopRight(p) < sx + p.left + p.width ? DesktopRight(p) - p.left : p.width;
    r.bottom = DesktopBottom(p) < sy + p.top + p.height ? DesktopBottom(p) - p.top : p.height;
    return r;
}

IntRect DesktopPartOfClient(const PanelPlace& p) {
    IntRect r;
    r.left = std::max(0, p.desktopLeft - p.left);
    r.top = std::max(0, p.desktopTop - p.top);
    r.right = std::min(p.width, DesktopRight(p) - p.left);
    r.bottom = std::min(p.height, DesktopBottom(p) - p.top);
    if (r.Empty()) r = {0, 0, 0, 0};
    return r;
}

bool StripAt(const ArrowFlags& f, const IntRect& r, int s, int x, int y, BandSide& side) {
    struct Strip {
        bool shown;
        IntRect rect;
        BandSide side;
    } strips[] = {{f.left, {r.left, r.top, r.left + s, r.bottom}, BandSide::Left},
                  {f.right, {r.right - s, r.top, r.right, r.bottom}, BandSide::Right},
                  {f.top, {r.left, r.top, r.right, r.top + s}, BandSide::Top},
                  {f.bottom, {r.left, r.bottom - s, r.right, r.bottom}, BandSide::Bottom}};
    for (const Strip& strip : strips)
        if (strip.shown && strip.rect.Contains(x, y)) {
            side = strip.side;
            return true;
        }
    return false;
}

bool PointerInStrips(const ArrowFlags& f, const IntRect& r, int s, int x, int y) {
    BandSide side;
    return StripAt(f, r, s, x, y, side);
}

void ScrollStep(BandSide side, int& scrollX, int& scrollY, int dpi) {
    int step = ScalePixels(30, dpi);
    switch (side) {
        case BandSide::Left: scrollX += step; break;
        case BandSide::Right: scrollX -= step; break;
        case BandSide::Top: scrollY += step; break;
        case BandSide::Bottom: scrollY -= step; break;
    }
}

BandLayout LayoutBand(BandSide side, const IntRect& r, int s, int dpi) {
    auto px = [dpi](int v) { return ScalePixels(v, dpi); };
    int h = r.bottom - r.top, w = r.right - r.left;
    BandLayout b{};
    b.chevronDepth = px(6);
    for (int k = 0; k < 3; ++k) {
        int inset = px(3) + px(8) * k;
        switch (side) {
            case BandSide::Left:
                b.tipX[k] = r.left + inset;
                b.tipY[k] = r.top + RoundHalfEven(h / 2.0);
                break;
            case BandSide::Right:
                b.tipX[k] = r.right - inset;
                b.tipY[k] = r.top + RoundHalfEven(h / 2.0);
                break;
            case BandSide::Top:
                b.tipX[k] = r.left + RoundHalfEven(w / 2.0);
                b.tipY[k] = r.top + inset;
                break;
            case BandSide::Bottom:
                b.tipX[k] = r.left + RoundHalfEven(w / 2.0);
                b.tipY[k] = r.bottom - inset;
                break;
        }
    }
    // The frame's outer side lies past the visible edge: an open tab.
    int out = px(1), along = px(4), shorter = px(9), inner = px(2);
    switch (side) {
        case BandSide::Left:
            b.gradient = {r.left, 0, r.left + s, 0};
            b.fill = {r.left, r.top + 2 * s, s, h - 4 * s};
            b.frame = {r.left - out, r.top + 2 * s + along, s - inner, h - 4 * s - shorter};
            break;
        case BandSide::Right:
            b.gradient = {r.right, 0, r.right - s, 0};
            b.fill = {r.right - s, r.top + 2 * s, s, h - 4 * s};
            b.frame = {r.right - s + inner, r.top + 2 * s + along, s + inner, h - 4 * s - shorter};
            break;
        case BandSide::Top:
            b.gradient = {r.left, r.top, r.left, r.top + s};
            b.fill = {r.left + 2 * s, r.top, w - 4 * s, s};
            b.frame = {r.left + 2 * s + along, r.top - out, w - 4 * s - shorter, s - inner};
            break;
        case BandSide::Bottom:
            b.gradient = {r.left, r.bottom, r.left, r.bottom - s};
            b.fill = {r.left + 2 * s, r.bottom - s, w - 4 * s, s};
            b.frame = {r.left + 2 * s + along, r.bottom - s + inner, w - 4 * s - shorter, s + inner};
            break;
    }
    return b;
}
