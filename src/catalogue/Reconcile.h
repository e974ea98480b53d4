// The slot-number rules of a reconciliation; pure.
#pragma once
#include <set>
#include <string>
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

// What a scan learnt of one root folder.
enum class RootScan { NotNamed, Missing, Unreadable, Listed };

// A root whose names cannot be known this rebuild keeps its stored entries as they are (slots,
// stamps, kinds) instead of having them taken for removed programs: one that cannot be listed
// (a share that does not answer, access refused), or one that is gone while it held at least
// kVanishedRootEntries stored entries (a redirected or roaming folder away for a while). A gone
// root of fewer entries, and every listed one, is reconciled as usual.
constexpr int kVanishedRootEntries = 3;
bool RootUnknown(RootScan scan, int storedEntries);

// Whether a stored path names an entry directly inside the root (no trailing delimiter); ASCII
// case is ignored, as stored paths are built from the lower-cased root.
bool LiesDirectlyIn(const std::string& path, const std::string& root);
