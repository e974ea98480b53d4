#include "platform/WindowTimer.h"

#include "platform/Error.h"

void WindowTimer::Start() {
    if (enabled_ || !window_) return;
    enabled_ = SetTimer(window_, id_, interval_, nullptr) != 0;
    if (!enabled_) throw Error("Not enough timers available");
}

void WindowTimer::Stop() {
    if (!enabled_) return;
    KillTimer(window_, id_);
    enabled_ = false;
}

void WindowTimer::SetInterval(UINT interval) {
    interval_ = interval;
    if (enabled_) {
        Stop();
        Start();
    }
}
