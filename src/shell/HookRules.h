// When the hook library asks for the panel; pure, shared by the library and its tests.
#pragma once
#include "shell/HookContract.h"

struct HeldKeys {
    bool leftWindows = false, rightWindows = false, leftAlt = false, rightAlt = false, applications = false;
};

// A chord is complete and switched on in the block.
inline bool ChordTriggered(const HookSharedBlock& b, const HeldKeys& k) {
    return (b.LeftWindowsAlt != 0 && k.leftWindows && k.leftAlt) ||
           (b.RightWindowsAlt != 0 && k.rightWindows && k.rightAlt) ||
           (b.WindowsApplications != 0 && k.rightWindows && k.applications);
}

// The kinds of message the hook acts on, as it sees them in the process that got the input.
enum class HookEvent { Other, ChordKeyDown, ChordKeyUp, StartButtonPress, StartButtonRelease };

// What the hook does with one message. Only the process that got the user's input may hand the
// foreground on, and the right lapses at that user's next input, so it is handed on again with
// each release that belongs to the same trigger (the panel opens 300 ms later).
struct HookStep {
    bool askForPanel = false;
    bool grantForeground = false;
    bool swallow = false;
    bool arm = false;  // later releases belong to this trigger
};

// armed: a trigger of this process is recent enough for a release to belong to it.
inline HookStep DecideHookStep(HookEvent e, bool chordTriggered, bool applicationsKey, bool integrateWithSystem,
                               bool armed) {
    HookStep s;
    switch (e) {
        case HookEvent::ChordKeyDown:
            if (!chordTriggered) break;
            s.askForPanel = s.grantForeground = s.arm = true;
            s.swallow = applicationsKey;  // the foreground program's context menu must not open too
            break;
        case HookEvent::ChordKeyUp:
            if (!armed) break;
            s.grantForeground = true;
            s.swallow = applicationsKey;  // its release makes the context-menu message
            break;
        case HookEvent::StartButtonPress:
            if (!integrateWithSystem) break;
            s.askForPanel = s.grantForeground = s.swallow = s.arm = true;
            break;
        case HookEvent::StartButtonRelease:
            if (!armed) break;
            s.grantForeground = s.swallow = true;
            break;
        case HookEvent::Other:
            break;
    }
    return s;
}

struct ScreenRect {
    int left, top, right, bottom;
};

// The rectangle a key chord sends: it holds the pointer, so the panel opens wherever the pointer
// rests, and the delayed placement then puts the panel inside the pointer's monitor's work area
// (right edge 50 pixels in, bottom on the work area's bottom, which the placement drops by 10).
inline ScreenRect ChordShowRect(int pointerX, int pointerY, const ScreenRect& monitor, const ScreenRect& work) {
    constexpr int kPlacementDrop = 10;
    ScreenRect r{monitor.left, monitor.top, work.right, work.bottom - kPlacementDrop};
    if (r.right <= pointerX) r.right = pointerX + 1;
    if (r.bottom <= pointerY) r.bottom = pointerY + 1;
    return r;
}
