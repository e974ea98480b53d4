#include "catalogue/Reconcile.h"

#include <algorithm>

void ComputeFreeSlots(const std::set<int>& used, int& count, std::vector<int>& freeSlots) {
    freeSlots.clear();
    for (int i = 1; i <= count; ++i)
        if (!used.count(i)) freeSlots.push_back(i);
    while (count > 0 && !freeSlots.empty() && freeSlots.back() == count) {
        freeSlots.pop_back();
        --count;
    }
}

std::vector<int> PlacePendingNames(std::vector<int>& freeSlots, int& count, int pending) {
    std::vector<int> indices;
    bool fillHoles = freeSlots.size() >= 4;
    for (int k = 0; k < pending; ++k) {
        if (fillHoles && !freeSlots.empty()) {
            indices.push_back(freeSlots.front() - 1);
            freeSlots.erase(freeSlots.begin());
        } else {
            indices.push_back(count++);
        }
    }
    return indices;
}
