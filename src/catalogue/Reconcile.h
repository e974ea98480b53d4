// The slot-number rules of a reconciliation; pure.
#pragma once
#include <set>
#include <vector>

// The highest slot a catalogue key may name: far beyond any Start Menu, low enough that the
// free-slot list and the grid of a hand-edited key stay small.
constexpr long kMaxSlot = 65535;
inline bool IsSlotNumber(long n) { return n >= 1 && n <= kMaxSlot; }

// The numbers 1..count not in use become free (ascending); free numbers at the top are given up,
// so count ends as the highest number in use (0 when none is).
void ComputeFreeSlots(const std::set<int>& used, int& count, std::vector<int>& freeSlots);

// 0-based indices for the pending names, in order. Four or more free slots are filled first
// (then the rest goes after the last slot); with three or fewer every name goes after the last.
std::vector<int> PlacePendingNames(std::vector<int>& freeSlots, int& count, int pending);
