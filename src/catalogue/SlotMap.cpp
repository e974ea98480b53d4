#include "catalogue/SlotMap.h"

#include <algorithm>
#include <cmath>

int BlockOrder(int i, int j) {
    int n = std::max(i, j);
    int before = (n - 1) * (n - 1);
    return (j == n && i < n) ? before + i : before + (n - 1) + j;
}

int SlotOfCell(int column, int row) {
    int b = BlockOrder((row - 1) / 3 + 1, (column - 1) / 3 + 1);
    return (b - 1) * 9 + ((row - 1) % 3) * 3 + ((column - 1) % 3) + 1;
}

Cell CellOfSlot(int slot) {
    int b = (slot - 1) / 9 + 1;
    // Inverse of BlockOrder: block b lies on ring n with (n-1)^2 < b <= n^2.
    int n = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(b))));
    while ((n - 1) * (n - 1) >= b) --n;
    while (n * n < b) ++n;
    int k = b - (n - 1) * (n - 1);  // 1 .. 2n-1
    int i, j;
    if (k < n) {
        i = k;
        j = n;
    } else {
        i = n;
        j = k - (n - 1);
    }
    int r = (slot - 1) % 9;
    return {(j - 1) * 3 + (r % 3) + 1, (i - 1) * 3 + (r / 3) + 1};
}

int SlotOfPosition(int k, int width) { return SlotOfCell((k - 1) % width + 1, (k - 1) / width + 1); }

Cell QuickPositionToXY(int position, int columns) {
    return {(position - 1) % columns + 1, (position - 1) / columns + 1};
}
