#include <gtest/gtest.h>

#include "panel/PointerRules.h"
#include "shell/HookRules.h"

// A chord counts with its keys of one side held and its own setting on (any value but 0).
TEST(HookRules, AChordCountsOnOneSideOnlyAndWithItsSettingOn) {
    auto block = [](int32_t left, int32_t right, int32_t apps) {
        HookSharedBlock b{};
        b.LeftWindowsAlt = left;
        b.RightWindowsAlt = right;
        b.WindowsApplications = apps;
        return b;
    };
    const HeldKeys leftPair{true, false, true, false, false}, rightPair{false, true, false, true, false},
        apps{false, true, false, false, true};  // Windows left, right; Alt left, right; Applications
    struct Row {
        HookSharedBlock settings;
        HeldKeys keys;
        bool chord;
        const char* why;
    } rows[] = {
        {block(1, 1, 1), leftPair, true, "left Windows + left Alt"},
        {block(1, 1, 1), rightPair, true, "right Windows + right Alt"},
        {block(1, 1, 1), apps, true, "right Windows + Applications"},
        {block(0, 1, 1), leftPair, false, "its setting off"},
        {block(0, 1, 1), rightPair, true, "another chord's setting off"},
        {block(0, 0, 1), rightPair, false, "its setting off"},
        {block(0, 0, 1), apps, true, "Applications has a setting of its own"},
        {block(7, 0, 0), leftPair, true, "any value but 0 is on"},
        {block(1, 1, 1), {true, false, false, true, false}, false, "left Windows + right Alt"},
        {block(1, 1, 1), {true, false, false, false, true}, false, "left Windows + Applications"},
        {block(1, 1, 1), {false, true, false, false, false}, false, "Windows alone"},
    };
    for (const Row& r : rows) EXPECT_EQ(ChordTriggered(r.settings, r.keys), r.chord) << r.why;
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
    EXPECT_EQ((IntRect{r.left, r.top, r.right, r.bottom}), (IntRect{0, 0, 1024, 728}));
    // The delayed placement then gives right edge 1024 - 50 and bottom edge 728 + 10 = 738.
    EXPECT_EQ(DelayedPlacement({r.left, r.top, r.right, r.bottom}, 500, 400, 1024, 738), (Point{474, 338}));

    ScreenRect onTaskbar = ChordShowRect(1000, 760, screen, work);
    EXPECT_EQ(onTaskbar.bottom, 761) << "the pointer must lie inside, or nothing opens";
    EXPECT_EQ(onTaskbar.right, 1024);

    // A second monitor right of the primary one: the panel stays on it.
    ScreenRect second{1024, 0, 2304, 1024};
    ScreenRect s = ChordShowRect(2000, 900, second, second);
    EXPECT_EQ(s.left, 1024);
    EXPECT_EQ(DelayedPlacement({s.left, s.top, s.right, s.bottom}, 500, 400, 1024, 738),
              (Point{2304 - 550, 1014 - 400 + 10}));
}
