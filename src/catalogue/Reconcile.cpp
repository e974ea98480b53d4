#include "catalogue/Reconcile.h"

#include <algorithm>

#include "platform/Paths.h"

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

bool RootUnknown(RootScan scan, int storedEntries) {
    if (scan == RootScan::Unreadable) return true;
    return scan == RootScan::Missing && storedEntries >= kVanishedRootEntries;
}

bool LiesDirectlyIn(const std::string& path, const std::string& root) {
    if (root.empty() || path.size() <= root.size() + 1 || path[root.size()] != '\\') return false;
    if (AsciiLower(path.substr(0, root.size())) != AsciiLower(root)) return false;
    return path.find('\\', root.size() + 1) == std::string::npos;
}
