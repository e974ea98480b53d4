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

TEST(PointerRules, ClickToleranceIsFifteenPixels) {
    EXPECT_TRUE(IsClick(100, 100, 115, 115));
    EXPECT_TRUE(IsClick(100, 100, 85, 85));
    EXPECT_FALSE(IsClick(100, 100, 116, 100));
    EXPECT_FALSE(IsClick(100, 100, 100, 84));
}

TEST(PointerRules, DragHandleEndsTwoHundredNinePixelsBeforeTheRight) {
    EXPECT_TRUE(InDragHandle(500 - 210, 10, 30, 500));
    EXPECT_FALSE(InDragHandle(500 - 209, 10, 30, 500));
    EXPECT_TRUE(InDragHandle(0, 30, 30, 500)) << "the header's last row counts";
    EXPECT_FALSE(InDragHandle(10, 31, 30, 500));
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

TEST(PointerRules, ShowRectangleRightAndBottomEdgesAreOutside) {
    IntRect r{10, 20, 60, 50};
    EXPECT_TRUE(InsideShowRect(r, 10, 20));
    EXPECT_TRUE(InsideShowRect(r, 59, 49));
    EXPECT_FALSE(InsideShowRect(r, 60, 30));
    EXPECT_FALSE(InsideShowRect(r, 30, 50));
}

TEST(PointerRules, SubmenuOpensLeftOnlyWhenItWouldCrossTheEdge) {
    EXPECT_EQ(SubmenuLeft(1000, 200, 75, 1280), 1000);
    EXPECT_EQ(SubmenuLeft(1080, 200, 75, 1280), 1080) << "ending exactly at the edge still fits";
    EXPECT_EQ(SubmenuLeft(1081, 200, 75, 1280), 1081 + 10 - 200 - 75);
}

TEST(PointerRules, DragPullsScrollBackSoNoGapOpens) {
    PanelPlace p{-40, 100, 500, 400, 0, 0, 1280, 1024};
    int sx = 90, sy = 0;
    PullBackScroll(p, sx, sy);
    EXPECT_EQ(sx, 40) << "contents may not move right of the desktop edge";
    p.left = 900;  // now reaching past the right edge
    sx = -300;
    PullBackScroll(p, sx, sy);
    EXPECT_EQ(sx, 1280 - 500 - 900);
    sx = -100;  // still hidden beyond the edge: left alone
    PullBackScroll(p, sx, sy);
    EXPECT_EQ(sx, -100);
}

TEST(PointerRules, PullBackMeasuresFromTheVirtualScreensOrigin) {
    // Virtual screen from (-1280, -200), 2560 x 1224: right edge 1280, bottom edge 1024.
    PanelPlace p{-1320, 900, 500, 400, -1280, -200, 2560, 1224};
    int sx = 90, sy = -300;
    PullBackScroll(p, sx, sy);
    EXPECT_EQ(sx, 40) << "40 px past the left edge";
    EXPECT_EQ(sy, 1024 - 400 - 900) << "no gap below the contents";
    p.top = -260;  // 60 px above the top edge
    sy = 100;
    PullBackScroll(p, sx, sy);
    EXPECT_EQ(sy, 60);
    sy = 30;  // still hidden above: left alone
    PullBackScroll(p, sx, sy);
    EXPECT_EQ(sy, 30);
    EXPECT_EQ(SubmenuLeft(1081, 200, 75, -1280 + 2560), 1081 + 10 - 200 - 75) << "the right edge, not the width";
}

TEST(PointerRules, PointerShapeByEntryKind) {
    EXPECT_EQ(PointerShapeFor(false, 0), PointerShape::Arrow);
    const PointerShape byKind[] = {PointerShape::Hand, PointerShape::Hand,   PointerShape::System,
                                   PointerShape::Hand, PointerShape::Hand, PointerShape::System};
    for (int kind = 0; kind < 6; ++kind) EXPECT_EQ(PointerShapeFor(true, kind), byKind[kind]) << kind;
}
