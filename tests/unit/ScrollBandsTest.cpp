#include <gtest/gtest.h>

#include "panel/ScrollBands.h"

namespace {
PanelPlace At(int left, int top, int width = 500, int height = 400) {
    return {left, top, width, height, 0, 0, 1280, 1024};
}
}  // namespace

// Which sides lie off the desktop, which bands show and what stays visible, on one monitor and on
// a virtual screen whose 1280-wide left monitor puts its left edge at -1280 and its right at 1280
// (not at its width, 2560).
TEST(ScrollBands, OverhangsNameTheirBandsAndCutTheVisibleRectangle) {
    auto virtualScreen = [](int left, int top) { return PanelPlace{left, top, 500, 400, -1280, -200, 2560, 1224}; };
    struct Row {
        PanelPlace place;
        bool offX, offY, left, right, top, bottom;
        IntRect visible;
    } rows[] = {
        {At(100, 100), false, false, false, false, false, false, {0, 0, 500, 400}},
        {At(-100, 100), true, false, true, false, false, false, {100, 0, 500, 400}},
        {At(1000, 800), true, true, false, true, false, true, {0, 0, 280, 224}},
        {virtualScreen(-1000, -100), false, false, false, false, false, false, {0, 0, 500, 400}},
        {virtualScreen(1000, 800), true, true, false, true, false, true, {0, 0, 280, 224}},  // 220 right, 176 down
        {virtualScreen(-1380, -250), true, true, true, false, true, false, {100, 50, 500, 400}},  // 100 left, 50 up
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.place.left << "," << r.place.top << " on " << r.place.desktopLeft);
        OffDesktop o = ComputeOffDesktop(r.place);
        EXPECT_EQ(o.x, r.offX);
        EXPECT_EQ(o.y, r.offY);
        ArrowFlags f = ComputeArrowFlags(r.place, 0, 0);
        EXPECT_EQ(f.left, r.left);
        EXPECT_EQ(f.right, r.right);
        EXPECT_EQ(f.top, r.top);
        EXPECT_EQ(f.bottom, r.bottom);
        EXPECT_EQ(VisibleClientRect(r.place, 0, 0), r.visible);
    }
}

// The left band from the visible edge, 60 pixels from the visible top and bottom; its pointer
// strip runs the whole height. The bottom band likewise.
TEST(ScrollBands, BandsAndStripsOfAnOverhangLieInTheVisibleRectangle) {
    PanelPlace p = At(-100, 100);
    ArrowFlags f = ComputeArrowFlags(p, 0, 0);
    IntRect r = VisibleClientRect(p, 0, 0);
    BandLayout b = LayoutBand(BandSide::Left, r, 30);
    EXPECT_EQ(b.fill, (SizedRect{100, 60, 30, 400 - 120}));
    EXPECT_EQ(b.tipX[0], 103);
    EXPECT_EQ(b.tipX[2], 119);
    EXPECT_EQ(b.tipY[1], 200);
    EXPECT_TRUE(PointerInStrips(f, r, 30, 100, 0));
    EXPECT_TRUE(PointerInStrips(f, r, 30, 129, 399));
    EXPECT_FALSE(PointerInStrips(f, r, 30, 130, 200));
    EXPECT_FALSE(PointerInStrips(f, r, 30, 99, 200));

    p = At(1000, 800);
    f = ComputeArrowFlags(p, 0, 0);
    r = VisibleClientRect(p, 0, 0);
    BandLayout bottom = LayoutBand(BandSide::Bottom, r, 30);
    EXPECT_EQ(bottom.fill, (SizedRect{60, 194, 280 - 120, 30}));
    EXPECT_EQ(bottom.tipY[0], 221);
    EXPECT_EQ(bottom.tipX[0], 140);
    EXPECT_TRUE(PointerInStrips(f, r, 30, 10, 200)) << "bottom strip";
    EXPECT_FALSE(PointerInStrips(f, r, 30, 10, 193));
    EXPECT_EQ(LayoutBand(BandSide::Top, {0, 50, 300, 400}, 30).frame, (SizedRect{64, 49, 300 - 120 - 9, 28}));

    // Scrolled right, the left band stays while 70 pixels are still hidden, and the right one comes
    // to scroll back: its edge is on the desktop, yet the contents moved.
    p = At(-100, 100);
    f = ComputeArrowFlags(p, 30, 0);
    EXPECT_TRUE(f.left && f.right);
    r = VisibleClientRect(p, 30, 0);
    EXPECT_TRUE(PointerInStrips(f, r, 30, 499, 10));
    EXPECT_EQ(LayoutBand(BandSide::Right, r, 30).fill, (SizedRect{470, 60, 30, 280}));
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

// The four bands' layout table, written out by hand for a visible rectangle (100, 50)-(500, 400)
// and bands of 30: H = 350, W = 400. At 144 DPI, with bands of 45, every smaller figure is 1.5
// times as large, halves rounded up (the frame's 1, 4, 2 and 9 become 2, 6, 3 and 14; the tips' 3
// and 8 become 5 and 12; 6 lines 9).
TEST(ScrollBands, EachBandsGradientFillFrameAndChevronTips) {
    const IntRect r{100, 50, 500, 400};
    struct Row {
        BandSide side;
        int band, dpi;
        GradientLine gradient;
        SizedRect fill, frame;
        int tipX0, tipY0, stepX, stepY, depth;
    } rows[] = {
        {BandSide::Left, 30, 96, {100, 0, 130, 0}, {100, 110, 30, 230}, {99, 114, 28, 221}, 103, 225, 8, 0, 6},
        {BandSide::Right, 30, 96, {500, 0, 470, 0}, {470, 110, 30, 230}, {472, 114, 32, 221}, 497, 225, -8, 0, 6},
        {BandSide::Top, 30, 96, {100, 50, 100, 80}, {160, 50, 280, 30}, {164, 49, 271, 28}, 300, 53, 0, 8, 6},
        {BandSide::Bottom, 30, 96, {100, 400, 100, 370}, {160, 370, 280, 30}, {164, 372, 271, 32}, 300, 397, 0, -8, 6},
        {BandSide::Left, 45, 144, {100, 0, 145, 0}, {100, 140, 45, 170}, {98, 146, 42, 156}, 105, 225, 12, 0, 9},
        {BandSide::Bottom, 45, 144, {100, 400, 100, 355}, {190, 355, 220, 45}, {196, 358, 206, 48}, 300, 395, 0, -12, 9},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(row.side) << " at " << row.dpi);
        BandLayout b = LayoutBand(row.side, r, row.band, row.dpi);
        EXPECT_EQ(b.gradient, row.gradient);
        EXPECT_EQ(b.fill, row.fill);
        EXPECT_EQ(b.frame, row.frame);
        EXPECT_EQ(b.chevronDepth, row.depth);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(b.tipX[k], row.tipX0 + k * row.stepX);
            EXPECT_EQ(b.tipY[k], row.tipY0 + k * row.stepY);
        }
    }
    int sx = 0, sy = 0;  // a step is 45 at 144 DPI
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
