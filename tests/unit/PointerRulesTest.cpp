#include <gtest/gtest.h>

#include "panel/PointerRules.h"

TEST(PointerRules, HitTestCoversWholeCellsWithScrollingAndGaps) {
    std::vector<CellOrigin> cells = {{6, 34}, {81, 34}, {238, 34}};
    EXPECT_EQ(HitTest(cells, 75, 75, 0, 0, 6, 34), 0);
    EXPECT_EQ(HitTest(cells, 75, 75, 0, 0, 80, 108), 0) << "the last pixel of the cell";
    EXPECT_EQ(HitTest(cells, 75, 75, 0, 0, 81, 34), 1) << "right side exclusive";
    EXPECT_EQ(HitTest(cells, 75, 75, 0, 0, 5, 40), -2) << "margin";
    EXPECT_EQ(HitTest(cells, 75, 75, 0, 0, 10, 20), -2) << "header";
    EXPECT_EQ(HitTest(cells, 75, 75, 0, 0, 160, 40), -2) << "block gap";
    EXPECT_EQ(HitTest(cells, 75, 75, 30, -30, 36, 4), 0) << "contents scrolled right and up";
    EXPECT_EQ(HitTest(cells, 75, 75, 30, 0, 20, 40), -2);
}

// A click moves less than 16 pixels; the drag handle ends 210 pixels before the right and takes
// the header's last row; the show rectangle leaves out its right and bottom edges.
TEST(PointerRules, ClickDragHandleAndShowRectangleBounds) {
    EXPECT_TRUE(IsClick(100, 100, 115, 115));
    EXPECT_TRUE(IsClick(100, 100, 85, 85));
    EXPECT_FALSE(IsClick(100, 100, 116, 100));
    EXPECT_FALSE(IsClick(100, 100, 100, 84));
    EXPECT_TRUE(InDragHandle(500 - 210, 10, 30, 500));
    EXPECT_FALSE(InDragHandle(500 - 209, 10, 30, 500));
    EXPECT_TRUE(InDragHandle(0, 30, 30, 500));
    EXPECT_FALSE(InDragHandle(10, 31, 30, 500));
    IntRect r{10, 20, 60, 50};
    EXPECT_TRUE(InsideShowRect(r, 10, 20));
    EXPECT_TRUE(InsideShowRect(r, 59, 49));
    EXPECT_FALSE(InsideShowRect(r, 60, 30));
    EXPECT_FALSE(InsideShowRect(r, 30, 50));
}

TEST(PointerRules, DelayedPlacementBesideTheShowRectangle) {
    IntRect start{0, 994, 50, 1024};  // a Start button at the bottom left
    EXPECT_EQ(DelayedPlacement(start, 400, 300, 1280, 994), (Point{30, 1024 - 300 + 10}));
    IntRect right{1200, 500, 1280, 530};
    EXPECT_EQ(DelayedPlacement(right, 400, 300, 1280, 994), (Point{1280 - 400 - 50, 530 - 300 + 10}));
    IntRect top{0, 0, 50, 30};
    EXPECT_EQ(DelayedPlacement(top, 400, 300, 1280, 994), (Point{30, 30}));
    IntRect tall{0, 0, 50, 100};
    EXPECT_EQ(DelayedPlacement(tall, 400, 950, 1280, 994), (Point{30, (994 - 950) / 2}));
    EXPECT_EQ(DelayedPlacement({0, 0, 10, 20}, 400, 300, 1280, 994), (Point{0, 20})) << "never negative";
}

TEST(PointerRules, SubmenuOpensLeftOnlyWhenItWouldCrossTheEdge) {
    EXPECT_EQ(SubmenuLeft(1000, 200, 75, 1280), 1000);
    EXPECT_EQ(SubmenuLeft(1080, 200, 75, 1280), 1080) << "ending exactly at the edge still fits";
    EXPECT_EQ(SubmenuLeft(1081, 200, 75, 1280), 1081 + 10 - 200 - 75);
    EXPECT_EQ(SubmenuLeft(1081, 200, 75, -1280 + 2560), 1081 + 10 - 200 - 75) << "the right edge, not the width";
    // Anchored 4 inside the cell's right edge and 8 above the icon's middle, scrolled with the cell;
    // at 144 DPI 6 and 12 beside an icon of 48.
    PanelGeometry g;
    g.CellWidth = 75;
    g.IconHeight = 32;
    EXPECT_EQ(SubmenuAnchor(g, 100, 50, -10, 5), (Point{100 - 10 + 75 - 4, 50 + 5 + 16 - 8}));
    g.Dpi = 144;
    g.CellWidth = 113;
    g.IconHeight = 48;
    EXPECT_EQ(SubmenuAnchor(g, 100, 50, 0, 0), (Point{100 + 113 - 6, 50 + 24 - 12}));
}

// A drag pulls the contents back so that no gap opens between them and the desktop's edge; what is
// still hidden beyond an edge is left alone. The virtual screen runs from (-1280, -200), 2560 x
// 1224: its right edge is at 1280 and its bottom at 1024.
TEST(PointerRules, DragPullsScrollBackSoNoGapOpens) {
    const PanelPlace one{0, 0, 500, 400, 0, 0, 1280, 1024}, wide{0, 0, 500, 400, -1280, -200, 2560, 1224};
    struct Row {
        PanelPlace screen;
        int left, top, scrollX, scrollY, pulledX, pulledY;
        const char* why;
    } rows[] = {
        {one, -40, 100, 90, 0, 40, 0, "not right of the left edge"},
        {one, 900, 100, -300, 0, 1280 - 500 - 900, 0, "not left of the right edge"},
        {one, 900, 100, -100, 0, -100, 0, "still hidden beyond the edge"},
        {one, 300, 100, 0, 0, 0, 0, "wholly on the desktop"},
        {wide, -1320, 900, 90, -300, 40, 1024 - 400 - 900, "40 past the left edge; no gap below"},
        {wide, -1320, -260, 40, 100, 40, 60, "60 above the top edge"},
        {wide, -1320, -260, 40, 30, 40, 30, "still hidden above"},
    };
    for (const Row& r : rows) {
        PanelPlace p = r.screen;
        p.left = r.left;
        p.top = r.top;
        int sx = r.scrollX, sy = r.scrollY;
        PullBackScroll(p, sx, sy);
        EXPECT_EQ(sx, r.pulledX) << r.why;
        EXPECT_EQ(sy, r.pulledY) << r.why;
    }
}

TEST(PointerRules, PointerShapeByEntryKind) {
    EXPECT_EQ(PointerShapeFor(false, 0), PointerShape::Arrow);
    const PointerShape byKind[] = {PointerShape::Hand, PointerShape::Hand,   PointerShape::System,
                                   PointerShape::Hand, PointerShape::Hand, PointerShape::System};
    for (int kind = 0; kind < 6; ++kind) EXPECT_EQ(PointerShapeFor(true, kind), byKind[kind]) << kind;
}

// The pointer's figures at other DPIs: each the 96-DPI figure scaled as MulDiv rounds it.
TEST(PointerRules, FiguresScaleWithTheDpi) {
    struct Case {
        int px, dpi, scaled;
    } cases[] = {{1, 120, 1},   {1, 144, 2},   {5, 120, 6},   {5, 144, 8},  {7, 120, 9},  {7, 144, 11},
                 {30, 120, 38}, {30, 144, 45}, {30, 192, 60}, {3, 144, 5},  {210, 120, 263},
                 {16, 144, 24}, {-5, 144, -8}, {0, 144, 0},   {7, 96, 7},   {1000, 288, 3000}};
    for (const Case& c : cases) EXPECT_EQ(ScalePixels(c.px, c.dpi), c.scaled) << c.px << " at " << c.dpi;

    EXPECT_TRUE(IsClick(100, 100, 123, 77, 144)) << "23 pixels off at 144 DPI is a click";
    EXPECT_FALSE(IsClick(100, 100, 124, 100, 144));
    EXPECT_TRUE(InDragHandle(500 - 315, 45, 45, 500, 144));
    EXPECT_FALSE(InDragHandle(500 - 314, 10, 45, 500, 144));
    IntRect start{0, 994, 50, 1024}, right{1200, 500, 1280, 530};
    EXPECT_EQ(DelayedPlacement(start, 400, 300, 1280, 994, 144), (Point{50 - 30, 1024 - 300 + 15}));
    EXPECT_EQ(DelayedPlacement(right, 400, 300, 1280, 994, 144), (Point{1280 - 400 - 75, 530 - 300 + 15}));
    EXPECT_EQ(SubmenuLeft(1081, 200, 113, 1280, 144), 1081 + 15 - 200 - 113);
}

// After an undock the stored place may lie on no monitor at all; a panel that still reaches one
// keeps it, and its scroll bands.
TEST(PointerRules, AStoredPlaceCountsOnlyOnSomeMonitor) {
    std::vector<IntRect> laptop{{0, 0, 1280, 800}};
    std::vector<IntRect> docked{{0, 0, 1280, 800}, {1280, -200, 3200, 880}};
    std::vector<IntRect> leftOfPrimary{{-1920, 0, 0, 1080}, {0, 0, 1280, 800}};
    IntRect onSecond{2000, 100, 2600, 600};
    EXPECT_TRUE(OnSomeMonitor(onSecond, docked));
    EXPECT_FALSE(OnSomeMonitor(onSecond, laptop)) << "its monitor was unplugged";
    EXPECT_TRUE(OnSomeMonitor({1279, 700, 1879, 1200}, laptop)) << "one column on the screen";
    EXPECT_FALSE(OnSomeMonitor({1280, 0, 1880, 500}, laptop)) << "just right of it";
    EXPECT_FALSE(OnSomeMonitor({100, 800, 700, 1300}, laptop)) << "just below it";
    EXPECT_FALSE(OnSomeMonitor({-700, 100, 0, 600}, laptop)) << "just left of it";
    EXPECT_TRUE(OnSomeMonitor({-700, 100, 0, 600}, leftOfPrimary));
    EXPECT_FALSE(OnSomeMonitor({1300, -600, 1900, -201}, docked)) << "above the taller monitor";
    EXPECT_FALSE(OnSomeMonitor(onSecond, {})) << "no monitor known";

    EXPECT_EQ(CentredIn({0, 0, 1280, 770}, 600, 400), (Point{340, 185}));
    EXPECT_EQ(CentredIn({1280, -200, 3200, 840}, 600, 400), (Point{1280 + 660, -200 + 320})) << "its own origin";
    EXPECT_EQ(CentredIn({-1920, 0, 0, 1040}, 2400, 1200), (Point{-1920, 0})) << "larger than the area";
}
