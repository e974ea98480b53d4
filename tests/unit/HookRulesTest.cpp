#include <gtest/gtest.h>

#include "shell/HookRules.h"

TEST(HookRules, EachChordCountsOnlyWhenItsSettingIsOn) {
    HookSharedBlock on{};
    on.LeftWindowsAlt = on.RightWindowsAlt = on.WindowsApplications = 1;
    HeldKeys leftPair;
    leftPair.leftWindows = leftPair.leftAlt = true;
    HeldKeys rightPair;
    rightPair.rightWindows = rightPair.rightAlt = true;
    HeldKeys apps;
    apps.rightWindows = apps.applications = true;
    EXPECT_TRUE(ChordTriggered(on, leftPair));
    EXPECT_TRUE(ChordTriggered(on, rightPair));
    EXPECT_TRUE(ChordTriggered(on, apps));

    HookSharedBlock off = on;
    off.LeftWindowsAlt = 0;
    EXPECT_FALSE(ChordTriggered(off, leftPair));
    EXPECT_TRUE(ChordTriggered(off, rightPair));
    off.RightWindowsAlt = 0;
    EXPECT_FALSE(ChordTriggered(off, rightPair));
    EXPECT_TRUE(ChordTriggered(off, apps)) << "right Windows + Applications has its own setting";
    on.LeftWindowsAlt = 7;  // any non-zero stored value switches it on
    EXPECT_TRUE(ChordTriggered(on, leftPair));
}

TEST(HookRules, KeysOfDifferentSidesMakeNoChord) {
    HookSharedBlock on{};
    on.LeftWindowsAlt = on.RightWindowsAlt = on.WindowsApplications = 1;
    HeldKeys crossed;
    crossed.leftWindows = crossed.rightAlt = true;
    EXPECT_FALSE(ChordTriggered(on, crossed));
    HeldKeys leftApps;
    leftApps.leftWindows = leftApps.applications = true;
    EXPECT_FALSE(ChordTriggered(on, leftApps));
    HeldKeys alone;
    alone.rightWindows = true;
    EXPECT_FALSE(ChordTriggered(on, alone));
}
