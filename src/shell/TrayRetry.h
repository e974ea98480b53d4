// When the icon is tried again after the shell did not take it; pure.
#pragma once

// At log-on a program started from the Run key may come before the shell's notification area:
// tries follow after 1, 2, 4 and 8 s, then every 10 s, 15 tries in about two minutes in all (the
// shell's "TaskbarCreated" starts them afresh). The wait in ms before the try after the given
// number of failed ones; 0 when no try follows.
constexpr unsigned kTrayTries = 15;
constexpr unsigned TrayRetryDelay(unsigned failedTries) {
    if (failedTries == 0 || failedTries >= kTrayTries) return 0;
    return failedTries >= 5 ? 10000u : 1000u << (failedTries - 1);
}
