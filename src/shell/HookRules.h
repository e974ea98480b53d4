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
