#include <gtest/gtest.h>

#include "panel/Geometry.h"

namespace {
GridSize Grid(int n) { return MainGridSize(n); }
}  // namespace

TEST(MainGrid, SizesPerEntryCount) {
    struct Row {
        int count, columns, rows;
    } rows[] = {{0, 3, 0},    {1, 3, 3},    {9, 3, 3},     {10, 6, 3},    {18, 6, 3},
                {19, 6, 6},   {36, 6, 6},   {37, 9, 6},    {54, 9, 6},    {55, 9, 9},
                {81, 9, 9},   {82, 12, 9},  {100, 12, 9},  {150, 15, 12}, {200, 15, 15},
                {225, 15, 15}, {226, 18, 15}, {300, 18, 18}, {324, 18, 18}};
    for (const Row& r : rows) {
        GridSize g = Grid(r.count);
        EXPECT_EQ(g.columns, r.columns) << r.count << " entries";
        EXPECT_EQ(g.rows, r.rows) << r.count << " entries";
    }
}

TEST(BlockOrder, MatchesTheSixBySixTable) {
    const int table[6][6] = {{1, 2, 5, 10, 17, 26},    {3, 4, 6, 11, 18, 27},    {7, 8, 9, 12, 19, 28},
                             {13, 14, 15, 16, 20, 29}, {21, 22, 23, 24, 25, 30}, {31, 32, 33, 34, 35, 36}};
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) EXPECT_EQ(BlockOrder(i, j), table[i - 1][j - 1]) << i << "," << j;
}

TEST(Slots, CellsOfKnownSlots) {
    EXPECT_EQ(CellOfSlot(1), (Cell{1, 1}));
    EXPECT_EQ(CellOfSlot(9), (Cell{3, 3}));
    EXPECT_EQ(CellOfSlot(10), (Cell{4, 1}));
    EXPECT_EQ(CellOfSlot(19), (Cell{1, 4}));
    EXPECT_EQ(CellOfSlot(37), (Cell{7, 1}));
    EXPECT_EQ(CellOfSlot(45), (Cell{9, 3}));
    EXPECT_EQ(CellOfSlot(324), (Cell{18, 18}));
    EXPECT_EQ(SlotOfCell(4, 1), 10);
    EXPECT_EQ(SlotOfCell(9, 3), 45);
    // A first fill of twelve runs row by row across six columns.
    int firstFill[] = {1, 2, 3, 10, 11, 12, 4, 5, 6, 13, 14, 15};
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(SlotOfPosition(k, Grid(12).columns), firstFill[k - 1]) << k;
}

TEST(Slots, SlotsOneToNFitTheGridSizedForNEvenBeyond324) {
    // Past 6 x 6 blocks further rings follow; slots 1..n still land inside the grid for n entries,
    // each in a cell of its own.
    auto check = [](int n) {
        GridSize g = Grid(n);
        for (int slot = 1; slot <= n; ++slot) {
            Cell c = CellOfSlot(slot);
            ASSERT_LE(c.column, g.columns) << n << " entries, slot " << slot;
            ASSERT_LE(c.row, g.rows) << n << " entries, slot " << slot;
            ASSERT_EQ(SlotOfCell(c.column, c.row), slot) << "the cell names its slot again";
        }
    };
    for (int n = 1; n <= 400; ++n) check(n);
    for (int n = 401; n <= 6000; n += 37) check(n);
}

TEST(Layout, QuickAreaRowsAndGridTop) {
    PanelGeometry g;
    g.CellHeight = 75;
    EXPECT_EQ(QuickRows(7, 6), 2);
    EXPECT_EQ(QuickRows(6, 6), 1);
    EXPECT_EQ(QuickRows(0, 6), 0);
    EXPECT_EQ(ComputeGridTop(g), 34) << "no quick area";
    g.QuickAreaHeight = 2 * 75;
    EXPECT_EQ(ComputeGridTop(g), 150 + 41);
    EXPECT_EQ(QuickPositionToXY(7, 6), (Cell{1, 2}));
    EXPECT_EQ(QuickPositionToXY(6, 6), (Cell{6, 1})) << "a full row's last";
}

TEST(Layout, ClientSizeShadowPixelCellOriginsAndCaptionRect) {
    PanelGeometry g;
    g.CellWidth = 75;
    g.CellHeight = 70;
    g.StoredColumns = 6;
    g.StoredRows = 3;
    ClientSize plain = ComputeClientSize(g);
    EXPECT_EQ(plain.width, 2 * 7 + 6 * 75 + 6);
    EXPECT_EQ(plain.height, 1 * 7 + 3 * 70 + 30);
    g.DropShadow = true;
    ClientSize shadow = ComputeClientSize(g);
    EXPECT_EQ(shadow.width, plain.width + 1);
    EXPECT_EQ(shadow.height, plain.height + 1);
    g.DropShadow = false;
    g.QuickAreaHeight = 70;
    EXPECT_EQ(ComputeClientSize(g).height, plain.height + 70 + 7);
    // Cells of 75 x 75 under a grid top of 34, the icon 32 high.
    g.CellHeight = 75;
    g.IconHeight = 32;
    g.GridTop = 34;
    g.Columns = 6;
    EXPECT_EQ(MainCellOrigin(g, 1), (Point{6, 34}));
    EXPECT_EQ(MainCellOrigin(g, 10), (Point{7 + 3 * 75 + 6, 34}));
    EXPECT_EQ(MainCellOrigin(g, 19), (Point{6, 7 + 3 * 75 + 34}));
    EXPECT_EQ(QuickCellOrigin(g, 8), (Point{75 + 6, 75 + 34}));
    TextRectF r = CaptionRect(g, {6, 34});
    EXPECT_FLOAT_EQ(r.X, 6);
    EXPECT_FLOAT_EQ(r.Y, 34 + 32 + 10);
    EXPECT_FLOAT_EQ(r.Width, 75);
    EXPECT_FLOAT_EQ(r.Height, 75 - 32 - 10);
}

TEST(Rounding, HalvesGoToEven) {
    for (auto [x, rounded] : {std::pair{2.5, 2}, {3.5, 4}, {9.5, 10}, {9.4, 9}, {-2.5, -2}, {1.0 / 3, 0}})
        EXPECT_EQ(RoundHalfEven(x), rounded) << x;
}
