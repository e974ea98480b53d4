// Which scroll bands show when the panel reaches past the desktop, where they lie; pure.
#pragma once

#include "platform/Numbers.h"

// Left, top, right, bottom: right and bottom lie just outside.
struct IntRect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Empty() const { return right <= left || bottom <= top; }
    // Shares at least one pixel with the w x h rectangle at x, y.
    bool Meets(int x, int y, int w, int h) const { return x < right && x + w > left && y < bottom && y + h > top; }
    bool operator==(const IntRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The window in desktop coordinates and the desktop (virtual screen) size.
struct PanelPlace {
    int left, top, width, height;
    int desktopLeft, desktopTop, desktopWidth, desktopHeight;
};

struct ArrowFlags {
    bool left = false, right = false, top = false, bottom = false;
};

struct OffDesktop {
    bool x = false, y = false;
};

OffDesktop ComputeOffDesktop(const PanelPlace& p);
ArrowFlags ComputeArrowFlags(const PanelPlace& p, int scrollX, int scrollY);
IntRect VisibleClientRect(const PanelPlace& p, int scrollX, int scrollY);
// The part of the window on the desktop, in client coordinates; empty when none is.
IntRect DesktopPartOfClient(const PanelPlace& p);
enum class BandSide { Left, Right, Top, Bottom };

// The pointer strips of the shown bands, tested left, right, top, bottom: the first one holding
// the point, if any.
bool StripAt(const ArrowFlags& flags, const IntRect& visible, int band, int x, int y, BandSide& side);
bool PointerInStrips(const ArrowFlags& flags, const IntRect& visible, int band, int x, int y);
// One scroll step while the pointer rests on a side's strip: 30 pixels at 96 DPI, bringing that
// side's hidden part into view.
void ScrollStep(BandSide side, int& scrollX, int& scrollY, int dpi = kBaseDpi);
// X, y, width, height, as GDI+ takes its rectangles.
struct SizedRect {
    int x, y, width, height;
    bool operator==(const SizedRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// From the desktop edge inwards.
struct GradientLine {
    int fromX, fromY, toX, toY;
    bool operator==(const GradientLine& o) const {
        return fromX == o.fromX && fromY == o.fromY && toX == o.toX && toY == o.toY;
    }
};

struct BandLayout {
    GradientLine gradient;
    SizedRect fill, frame;
    int tipX[3], tipY[3];
    int chevronDepth;  // lines from the tip to the chevron's base: 6 at 96 DPI
};
// band is the band's thickness, already at dpi; the smaller lengths are scaled here.
BandLayout LayoutBand(BandSide side, const IntRect& visible, int band, int dpi = kBaseDpi);
