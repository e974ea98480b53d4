#include <gtest/gtest.h>

#include "panel/PointerRules.h"
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

// Who hands the foreground on, what is swallowed: one row per message the hook may see.
TEST(HookRules, StepsOfEachTriggerAndOfItsReleases) {
    struct Row {
        HookEvent event;
        bool chord, apps, integrate, armed;
        bool ask, grant, swallow, arm;
    } rows[] = {
        {HookEvent::ChordKeyDown, true, false, false, false, true, true, false, true},
        {HookEvent::ChordKeyDown, true, true, false, false, true, true, true, true},  // no context menu too
        {HookEvent::ChordKeyDown, false, true, true, true, false, false, false, false},
        {HookEvent::ChordKeyUp, false, false, true, true, false, true, false, false},
        {HookEvent::ChordKeyUp, false, true, true, true, false, true, true, false},
        {HookEvent::ChordKeyUp, false, true, true, false, false, false, false, false},
        {HookEvent::StartButtonPress, false, false, true, false, true, true, true, true},
        {HookEvent::StartButtonPress, false, false, false, true, false, false, false, false},
        {HookEvent::StartButtonRelease, false, false, true, true, false, true, true, false},
        {HookEvent::StartButtonRelease, false, false, true, false, false, false, false, false},
        {HookEvent::Other, true, true, true, true, false, false, false, false},
    };
    for (const Row& r : rows) {
        HookStep s = DecideHookStep(r.event, r.chord, r.apps, r.integrate, r.armed);
        SCOPED_TRACE(static_cast<int>(&r - rows));
        EXPECT_EQ(s.askForPanel, r.ask);
        EXPECT_EQ(s.grantForeground, r.grant);
        EXPECT_EQ(s.swallow, r.swallow);
        EXPECT_EQ(s.arm, r.arm);
    }
}

TEST(HookRules, ChordRectHoldsThePointerAndKeepsThePanelInTheWorkArea) {
    // 1024 x 768 primary screen with a 30-pixel taskbar at the bottom, a 500 x 400 panel.
    ScreenRect screen{0, 0, 1024, 768}, work{0, 0, 1024, 738};
    ScreenRect r = ChordShowRect(300, 200, screen, work);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom, 728);
    // The delayed placement then gives right edge 1024 - 50 and bottom edge 728 + 10 = 738.
    Point at = DelayedPlacement({r.left, r.top, r.right, r.bottom}, 500, 400, 1024, 738);
    EXPECT_EQ(at.x, 474);
    EXPECT_EQ(at.y, 338);

    ScreenRect onTaskbar = ChordShowRect(1000, 760, screen, work);
    EXPECT_EQ(onTaskbar.bottom, 761) << "the pointer must lie inside, or nothing opens";
    EXPECT_EQ(onTaskbar.right, 1024);

    // A second monitor right of the primary one: the panel stays on it.
    ScreenRect second{1024, 0, 2304, 1024};
    ScreenRect s = ChordShowRect(2000, 900, second, second);
    EXPECT_EQ(s.left, 1024);
    Point there = DelayedPlacement({s.left, s.top, s.right, s.bottom}, 500, 400, 1024, 738);
    EXPECT_EQ(there.x, 2304 - 550);
    EXPECT_EQ(there.y, 1014 - 400 + 10);
    EXPECT_GE(there.x, 1024);
}
