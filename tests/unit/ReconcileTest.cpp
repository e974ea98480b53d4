#include <gtest/gtest.h>

#include "catalogue/Reconcile.h"

namespace {
std::set<int> UsedExcept(int count, std::initializer_list<int> holes) {
    std::set<int> used;
    for (int i = 1; i <= count; ++i) used.insert(i);
    for (int h : holes) used.erase(h);
    return used;
}
}  // namespace

TEST(FreeSlots, RemovingTheTopSlotShrinksTheCount) {
    int count = 10;
    std::vector<int> free;
    ComputeFreeSlots(UsedExcept(10, {10}), count, free);
    EXPECT_EQ(count, 9);
    EXPECT_TRUE(free.empty());
}

TEST(FreeSlots, RemovingAMiddleSlotKeepsItFree) {
    int count = 10;
    std::vector<int> free;
    ComputeFreeSlots(UsedExcept(10, {4}), count, free);
    EXPECT_EQ(count, 10);
    EXPECT_EQ(free, std::vector<int>({4}));
}

TEST(FreeSlots, TopHolesAreGivenUpDownToTheHighestUsed) {
    int count = 12;
    std::vector<int> free;
    ComputeFreeSlots(UsedExcept(12, {3, 10, 11, 12}), count, free);
    EXPECT_EQ(count, 9);
    EXPECT_EQ(free, std::vector<int>({3}));
    count = 5;
    ComputeFreeSlots({}, count, free);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(free.empty());
}

TEST(PendingNames, ThreeHolesStayFreeAndNewNamesGoAfterTheLast) {
    std::vector<int> free = {2, 5, 7};
    int count = 10;
    EXPECT_EQ(PlacePendingNames(free, count, 2), std::vector<int>({10, 11}));  // slots 11, 12
    EXPECT_EQ(count, 12);
    EXPECT_EQ(free, std::vector<int>({2, 5, 7}));
}

TEST(PendingNames, FourHolesAreFilledInOrderThenTheRestGoesAfter) {
    std::vector<int> free = {2, 5, 7, 8};
    int count = 10;
    EXPECT_EQ(PlacePendingNames(free, count, 2), std::vector<int>({1, 4}));  // slots 2, 5
    EXPECT_EQ(count, 10);
    EXPECT_EQ(free, std::vector<int>({7, 8}));
    free = {2, 5, 7, 8};
    EXPECT_EQ(PlacePendingNames(free, count, 6), std::vector<int>({1, 4, 6, 7, 10, 11}));
    EXPECT_EQ(count, 12);
}
