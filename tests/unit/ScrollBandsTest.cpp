#include <gtest/gtest.h>

#include "panel/ScrollBands.h"

namespace {
PanelPlace At(int left, int top, int width = 500, int height = 400) {
    return {left, top, width, height, 0, 0, 1280, 1024};
}
}  // namespace

TEST(ScrollBands, PanelOnTheDesktopShowsNothing) {
    PanelPlace p = At(100, 100);
    OffDesktop o = ComputeOffDesktop(p);
    EXPECT_FALSE(o.x || o.y);
    ArrowFlags f = ComputeArrowFlags(p, 0, 0);
    EXPECT_FALSE(f.left || f.right || f.top || f.bottom);
    EXPECT_EQ(VisibleClientRect(p, 0, 0), (IntRect{0, 0, 500, 400}));
}

TEST(ScrollBands, LeftOverhangShowsTheLeftBandFromTheVisibleEdge) {
    PanelPlace p = At(-100, 100);
    EXPECT_TRUE(ComputeOffDesktop(p).x);
    ArrowFlags f = ComputeArrowFlags(p, 0, 0);
    EXPECT_TRUE(f.left);
    EXPECT_FALSE(f.right || f.top || f.bottom);
    IntRect r = VisibleClientRect(p, 0, 0);
    EXPECT_EQ(r, (IntRect{100, 0, 500, 400}));
    BandLayout b = LayoutBand(BandSide::Left, r, 30);
    EXPECT_EQ(b.fill, (SizedRect{100, 60, 30, 400 - 120})) << "60 px from the visible top and bottom";
    EXPECT_EQ(b.tipX[0], 103);
    EXPECT_EQ(b.tipX[2], 119);
    EXPECT_EQ(b.tipY[1], 200);
    // The pointer strip runs the whole height.
    EXPECT_TRUE(PointerInStrips(f, r, 30, 100, 0));
    EXPECT_TRUE(PointerInStrips(f, r, 30, 129, 399));
    EXPECT_FALSE(PointerInStrips(f, r, 30, 130, 200));
    EXPECT_FALSE(PointerInStrips(f, r, 30, 99, 200));
}

TEST(ScrollBands, ScrolledRightKeepsTheRightBandToScrollBack) {
    PanelPlace p = At(-100, 100);
    ArrowFlags f = ComputeArrowFlags(p, 30, 0);
    EXPECT_TRUE(f.left) << "still 70 px hidden";
    EXPECT_TRUE(f.right) << "the right edge is on the desktop, yet the contents moved";
    IntRect r = VisibleClientRect(p, 30, 0);
    EXPECT_TRUE(PointerInStrips(f, r, 30, 499, 10));
    EXPECT_EQ(LayoutBand(BandSide::Right, r, 30).fill, (SizedRect{470, 60, 30, 280}));
}

TEST(ScrollBands, BottomAndRightOverhangsCutTheVisibleRectangle) {
    PanelPlace p = At(1000, 800);
    OffDesktop o = ComputeOffDesktop(p);
    EXPECT_TRUE(o.x && o.y);
    ArrowFlags f = ComputeArrowFlags(p, 0, 0);
    EXPECT_TRUE(f.right && f.bottom);
    EXPECT_FALSE(f.left || f.top);
    IntRect r = VisibleClientRect(p, 0, 0);
    EXPECT_EQ(r, (IntRect{0, 0, 280, 224}));
    BandLayout bottom = LayoutBand(BandSide::Bottom, r, 30);
    EXPECT_EQ(bottom.fill, (SizedRect{60, 194, 280 - 120, 30}));
    EXPECT_EQ(bottom.tipY[0], 221);
    EXPECT_EQ(bottom.tipX[0], 140);
    EXPECT_TRUE(PointerInStrips(f, r, 30, 10, 200)) << "bottom strip";
    EXPECT_FALSE(PointerInStrips(f, r, 30, 10, 193));
    EXPECT_EQ(LayoutBand(BandSide::Top, {0, 50, 300, 400}, 30).frame, (SizedRect{64, 49, 300 - 120 - 9, 28}));
}

// Each strip names its side, and a step on it scrolls 30 pixels towards that side's hidden part.
TEST(ScrollBands, StripAtNamesTheFirstShownStripInOrderAndEachStepScrollsThirty) {
    ArrowFlags all;
    all.left = all.right = all.top = all.bottom = true;
    IntRect r{0, 0, 300, 200};
    struct {
        int x, y;
        BandSide side;
        int scrollX, scrollY;
    } const cases[] = {{5, 5, BandSide::Left, 130, -40},  // the corner belongs to the left strip first
                       {295, 5, BandSide::Right, 70, -40},
                       {150, 5, BandSide::Top, 100, -10},
                       {150, 195, BandSide::Bottom, 100, -70}};
    for (const auto& c : cases) {
        BandSide side = BandSide::Bottom == c.side ? BandSide::Top : BandSide::Bottom;
        ASSERT_TRUE(StripAt(all, r, 30, c.x, c.y, side)) << c.x << "," << c.y;
        EXPECT_EQ(side, c.side) << c.x << "," << c.y;
        int sx = 100, sy = -40;
        ScrollStep(side, sx, sy);
        EXPECT_EQ(sx, c.scrollX) << c.x << "," << c.y;
        EXPECT_EQ(sy, c.scrollY) << c.x << "," << c.y;
    }
    BandSide side = BandSide::Bottom;
    EXPECT_FALSE(StripAt(all, r, 30, 150, 100, side));
    ArrowFlags none;
    EXPECT_FALSE(StripAt(none, r, 30, 5, 5, side)) << "hidden bands have no strips";
}

// A 1280-wide monitor left of a 1280 x 1024 primary one: the virtual screen runs from -1280 to
// 1280, so the right edge is at 1280, not at its width 2560.
TEST(ScrollBands, EdgesOfAVirtualScreenThatStartsLeftOfZero) {
    auto place = [](int left, int top) { return PanelPlace{left, top, 500, 400, -1280, -200, 2560, 1224}; };
    PanelPlace inside = place(-1000, -100);
    EXPECT_FALSE(ComputeOffDesktop(inside).x || ComputeOffDesktop(inside).y) << "wholly on the left monitor";
    ArrowFlags none = ComputeArrowFlags(inside, 0, 0);
    EXPECT_FALSE(none.left || none.right || none.top || none.bottom);

    PanelPlace right = place(1000, 800);  // 220 past the right edge, 176 past the bottom
    EXPECT_TRUE(ComputeOffDesktop(right).x);
    EXPECT_TRUE(ComputeOffDesktop(right).y);
    ArrowFlags f = ComputeArrowFlags(right, 0, 0);
    EXPECT_TRUE(f.right && f.bottom);
    EXPECT_FALSE(f.left || f.top);
    EXPECT_EQ(VisibleClientRect(right, 0, 0), (IntRect{0, 0, 280, 224}));

    PanelPlace left = place(-1380, -250);  // 100 past the left edge, 50 above the top
    ArrowFlags g = ComputeArrowFlags(left, 0, 0);
    EXPECT_TRUE(g.left && g.top);
    EXPECT_FALSE(g.right || g.bottom);
    EXPECT_EQ(VisibleClientRect(left, 0, 0), (IntRect{100, 50, 500, 400}));
}

// The four bands' layout table, written out by hand for a visible rectangle (100, 50)-(500, 400)
// and bands of 30: H = 350, W = 400.
TEST(ScrollBands, EachBandsGradientFillFrameAndChevronTips) {
    const IntRect r{100, 50, 500, 400};
    struct Row {
        BandSide side;
        GradientLine gradient;
        SizedRect fill, frame;
        int tipX0, tipY0, stepX, stepY;
    } rows[] = {
        {BandSide::Left, {100, 0, 130, 0}, {100, 110, 30, 230}, {99, 114, 28, 221}, 103, 225, 8, 0},
        {BandSide::Right, {500, 0, 470, 0}, {470, 110, 30, 230}, {472, 114, 32, 221}, 497, 225, -8, 0},
        {BandSide::Top, {100, 50, 100, 80}, {160, 50, 280, 30}, {164, 49, 271, 28}, 300, 53, 0, 8},
        {BandSide::Bottom, {100, 400, 100, 370}, {160, 370, 280, 30}, {164, 372, 271, 32}, 300, 397, 0, -8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.side));
        BandLayout b = LayoutBand(row.side, r, 30);
        EXPECT_EQ(b.gradient, row.gradient);
        EXPECT_EQ(b.fill, row.fill);
        EXPECT_EQ(b.frame, row.frame);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(b.tipX[k], row.tipX0 + k * row.stepX);
            EXPECT_EQ(b.tipY[k], row.tipY0 + k * row.stepY);
        }
    }
}

// The same at 144 DPI with bands of 45: every smaller figure times 1.5, halves rounded up (the
// frame's 1, 4, 2 and 9 become 2, 6, 3 and 14; the tips' 3 and 8 become 5 and 12; 6 lines 9).
TEST(ScrollBands, At144DpiTheBandsSmallerFiguresScaleToo) {
    const IntRect r{100, 50, 500, 400};
    BandLayout left = LayoutBand(BandSide::Left, r, 45, 144);
    EXPECT_EQ(left.gradient, (GradientLine{100, 0, 145, 0}));
    EXPECT_EQ(left.fill, (SizedRect{100, 140, 45, 170}));
    EXPECT_EQ(left.frame, (SizedRect{98, 146, 42, 156}));
    EXPECT_EQ(left.tipX[0], 105);
    EXPECT_EQ(left.tipX[2], 129);
    EXPECT_EQ(left.tipY[1], 225);
    BandLayout bottom = LayoutBand(BandSide::Bottom, r, 45, 144);
    EXPECT_EQ(bottom.fill, (SizedRect{190, 355, 220, 45}));
    EXPECT_EQ(bottom.frame, (SizedRect{196, 358, 206, 48}));
    EXPECT_EQ(bottom.tipY[1], 383);
    EXPECT_EQ(bottom.chevronDepth, 9);
    EXPECT_EQ(LayoutBand(BandSide::Top, r, 30).chevronDepth, 6);
    int sx = 0, sy = 0;
    ScrollStep(BandSide::Bottom, sx, sy, 144);
    ScrollStep(BandSide::Left, sx, sy, 144);
    EXPECT_EQ(sx, 45);
    EXPECT_EQ(sy, -45);
}

// The frame buffer covers what the desktop shows of the panel, no more.
TEST(ScrollBands, DesktopPartOfTheClientForEachOverhang) {
    struct {
        PanelPlace place;
        IntRect part;
    } cases[] = {
        {At(100, 100), {0, 0, 500, 400}},
        {At(-100, 100), {100, 0, 500, 400}},
        {At(1000, 800), {0, 0, 280, 224}},
        {At(-100, -50, 2000, 1200), {100, 50, 1380, 1074}},  // wider and taller than the desktop
        {At(1280, 100), {0, 0, 0, 0}},                       // just past the right edge
        {At(100, -400), {0, 0, 0, 0}},                       // just above the top
        {{-1800, 10, 500, 400, -1280, 0, 2560, 1024}, {0, 0, 0, 0}},  // left of a left monitor
        {{-1400, 10, 500, 400, -1280, 0, 2560, 1024}, {120, 0, 500, 400}},
    };
    for (const auto& c : cases) {
        IntRect r = DesktopPartOfClient(c.place);
        EXPECT_EQ(r, c.part) << c.place.left << "," << c.place.top;
    }
    IntRect part{100, 50, 300, 200};
    EXPECT_TRUE(part.Meets(20, 10, 81, 41)) << "one corner pixel";
    EXPECT_FALSE(part.Meets(20, 10, 80, 41)) << "touches the left edge only";
    EXPECT_FALSE(part.Meets(300, 60, 10, 10));
    EXPECT_FALSE(part.Meets(120, 200, 10, 10));
    EXPECT_TRUE(part.Meets(299, 199, 10, 10));
}
