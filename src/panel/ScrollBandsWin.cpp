// The main window's side of the scroll bands: its place on the desktop, the pointer, painting.
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>

#include "app/MainForm.h"

using namespace Gdiplus;

PanelPlace TMainForm::Place() const {
    RECT r{};
    if (Handle()) GetWindowRect(Handle(), &r);
    return {r.left,
            r.top,
            r.right - r.left,
            r.bottom - r.top,
            GetSystemMetrics(SM_XVIRTUALSCREEN),
            GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN),
            GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void TMainForm::PanelMoved(int x, int y) {
    bool wasX = OffDesktopX, wasY = OffDesktopY;
    PanelPlace p = Place();
    p.left = x;
    p.top = y;
    OffDesktop o = ComputeOffDesktop(p);
    OffDesktopX = o.x;
    OffDesktopY = o.y;
    ComputeArrowFlags();
    if (wasX != OffDesktopX || wasY != OffDesktopY || OffDesktopX || OffDesktopY)
        InvalidateRect(Handle(), nullptr, FALSE);
}

void TMainForm::ComputeArrowFlags() {
    ArrowFlags f = ::ComputeArrowFlags(Place(), ScrollX, ScrollY);
    ArrowLeft = f.left;
    ArrowRight = f.right;
    ArrowTop = f.top;
    ArrowBottom = f.bottom;
}

IntRect TMainForm::VisibleClientRect() const { return ::VisibleClientRect(Place(), ScrollX, ScrollY); }

bool TMainForm::PointerOnArrow() const {
    if (!OffDesktopX && !OffDesktopY) return false;
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(Handle(), &pt);
    return PointerInStrips({ArrowLeft, ArrowRight, ArrowTop, ArrowBottom}, VisibleClientRect(), ScrollBand, pt.x,
                           pt.y);
}

void TMainForm::DrawBand(Graphics& g, BandSide side, const IntRect& r) {
    BandLayout b = LayoutBand(side, r, ScrollBand);
    uint32_t rgb = ItemTextColor & 0x00FFFFFFu;
    // The gradient runs across the band, from the desktop edge (alpha 100) inwards (alpha 30). Built
    // from a rectangle: a gradient given by two points on one axis is refused by some GDI+ versions.
    Color edge(static_cast<ARGB>((100u << 24) | rgb)), inner(static_cast<ARGB>((30u << 24) | rgb));
    bool horizontal = side == BandSide::Left || side == BandSide::Right;
    bool edgeFirst = side == BandSide::Left || side == BandSide::Top;
    Rect span = horizontal ? Rect(std::min(b.gradient.left, b.gradient.right), r.top, ScrollBand, r.bottom - r.top)
                           : Rect(r.left, std::min(b.gradient.top, b.gradient.bottom), r.right - r.left, ScrollBand);
    LinearGradientBrush brush(span, edgeFirst ? edge : inner, edgeFirst ? inner : edge,
                              horizontal ? LinearGradientModeHorizontal : LinearGradientModeVertical);
    brush.SetWrapMode(WrapModeTile);
    Pen frame(Color(static_cast<ARGB>(HighlightTextColor)), 1);
    Pen outline(Color(static_cast<ARGB>(ItemTextColor)), 1);
    g.FillRectangle(&brush, b.fill.left, b.fill.top, b.fill.right, b.fill.bottom);
    g.DrawRectangle(&frame, b.frame.left, b.frame.top, b.frame.right, b.frame.bottom);
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
        for (int m = 0; m <= 5; ++m) line(outline, m, -m, m);
        for (int m = 1; m <= 5; ++m) line(frame, m, -m + 1, m - 1);
    }
}

void TMainForm::DrawLeftArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Left, r); }
void TMainForm::DrawRightArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Right, r); }
void TMainForm::DrawTopArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Top, r); }
void TMainForm::DrawBottomArrow(Graphics& g, const IntRect& r) { DrawBand(g, BandSide::Bottom, r); }
