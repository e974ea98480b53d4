#include <gtest/gtest.h>

#include "catalogue/BackupRule.h"
#include "catalogue/Reconcile.h"

namespace {
std::set<int> UsedExcept(int count, std::initializer_list<int> holes) {
    std::set<int> used;
    for (int i = 1; i <= count; ++i) used.insert(i);
    for (int h : holes) used.erase(h);
    return used;
}
}  // namespace

// Holes inside the used range stay free; holes at the top are given up down to the highest used.
TEST(FreeSlots, OnlyHolesBelowTheHighestUsedSlotStayFree) {
    struct Case {
        int count;
        std::set<int> used;
        int countAfter;
        std::vector<int> free;
    } cases[] = {
        {10, UsedExcept(10, {10}), 9, {}},
        {10, UsedExcept(10, {4}), 10, {4}},
        {12, UsedExcept(12, {3, 10, 11, 12}), 9, {3}},
        {5, {}, 0, {}},
    };
    for (const Case& c : cases) {
        int count = c.count;
        std::vector<int> free = {99};  // what was there before is replaced
        ComputeFreeSlots(c.used, count, free);
        EXPECT_EQ(count, c.countAfter) << c.count << " slots, " << c.used.size() << " used";
        EXPECT_EQ(free, c.free) << c.count << " slots, " << c.used.size() << " used";
    }
}

// Three holes stay free; four or more are filled in order, and the rest goes after the last slot.
TEST(PendingNames, FourHolesOrMoreAreFilledInOrderFewerStayFree) {
    std::vector<int> free = {2, 5, 7};
    int count = 10;
    EXPECT_EQ(PlacePendingNames(free, count, 2), std::vector<int>({10, 11}));  // slots 11, 12
    EXPECT_EQ(count, 12);
    EXPECT_EQ(free, std::vector<int>({2, 5, 7}));
    free = {2, 5, 7, 8};
    count = 10;
    EXPECT_EQ(PlacePendingNames(free, count, 2), std::vector<int>({1, 4}));  // slots 2, 5
    EXPECT_EQ(count, 10);
    EXPECT_EQ(free, std::vector<int>({7, 8}));
    free = {2, 5, 7, 8};
    EXPECT_EQ(PlacePendingNames(free, count, 6), std::vector<int>({1, 4, 6, 7, 10, 11}));
    EXPECT_EQ(count, 12);
}

TEST(UnknownRoots, OnlyARootThatCannotBeListedOrIsGoneWithManyEntriesKeepsThem) {
    struct Case {
        RootScan scan;
        int stored;
        bool unknown;
    } cases[] = {
        {RootScan::Unreadable, 0, true},   {RootScan::Unreadable, 50, true}, {RootScan::Missing, 3, true},
        {RootScan::Missing, 60, true},     {RootScan::Missing, 2, false},    {RootScan::Missing, 0, false},
        {RootScan::Listed, 60, false},     {RootScan::NotNamed, 60, false},
    };
    for (const Case& c : cases) EXPECT_EQ(RootUnknown(c.scan, c.stored), c.unknown) << static_cast<int>(c.scan) << " " << c.stored;
}

TEST(UnknownRoots, AnEntryLiesDirectlyInsideItsRootOnly) {
    const std::string root = "c:\\users\\me\\start menu\\programs";
    EXPECT_TRUE(LiesDirectlyIn(root + "\\Notepad.lnk", root));
    EXPECT_TRUE(LiesDirectlyIn("C:\\Users\\Me\\Start Menu\\Programs\\Tools", root)) << "case of a hand edit";
    EXPECT_FALSE(LiesDirectlyIn(root + "\\Tools\\Deep.lnk", root)) << "a level down";
    EXPECT_FALSE(LiesDirectlyIn(root + " away\\A.lnk", root)) << "a folder that begins so";
    EXPECT_FALSE(LiesDirectlyIn(root, root));
    EXPECT_FALSE(LiesDirectlyIn(root + "\\", root));
    EXPECT_FALSE(LiesDirectlyIn(root + "\\A.lnk", ""));
}

TEST(CatalogueBackup, ATextReplacesTheBackupOnlyWithEntriesAndAtLeastHalfOfItsOwn) {
    auto file = [](int entries, int stamps) {
        std::string t = "[Files]\r\n";
        for (int i = 1; i <= entries; ++i) t += std::to_string(i) + "=c:\\p\\" + std::to_string(i) + ".lnk\r\n";
        t += "[SetupTime]\r\n";
        for (int i = 1; i <= stamps; ++i) t += std::to_string(i) + "=2026:12:09 10:00:00\r\n";
        return t;
    };
    EXPECT_EQ(CatalogueEntryLines(file(7, 5)), 7) << "stamps are no entries";
    EXPECT_EQ(CatalogueEntryLines("[Folders]\r\n1=a\r\n[GoodFolders]\n2=b\n[Other]\r\n3=c\r\n;4=d\r\n"), 2);
    EXPECT_TRUE(CatalogueBackupMayBeReplaced(file(10, 0), ""));
    EXPECT_TRUE(CatalogueBackupMayBeReplaced(file(5, 0), file(10, 3)));
    EXPECT_FALSE(CatalogueBackupMayBeReplaced(file(4, 0), file(10, 3))) << "most lost at once";
    EXPECT_FALSE(CatalogueBackupMayBeReplaced(file(0, 0), ""));
    EXPECT_FALSE(CatalogueBackupMayBeReplaced(file(0, 4), file(1, 0))) << "stamps alone are no catalogue";
}
