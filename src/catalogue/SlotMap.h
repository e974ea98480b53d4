// Slots and cells: the order in which blocks of 3 x 3 cells grow, and a slot's cell; pure.
#pragma once

struct Cell {
    int column;  // 1-based
    int row;     // 1-based
    bool operator==(const Cell& o) const { return column == o.column && row == o.row; }
};

// Block number at 1-based block row i and column j. The first n*n blocks fill an n x n square;
// each new ring goes down its new right column, then along its new bottom row. Beyond 6 x 6
// blocks the same rule goes on, so more than 324 entries still get cells of their own.
int BlockOrder(int blockRow, int blockColumn);

int SlotOfCell(int column, int row);
Cell CellOfSlot(int slot);
int SlotOfPosition(int k, int width);
Cell QuickPositionToXY(int position, int columns);
