// A timer of a window, identified by its id; enabling a running timer does not restart it.
#pragma once
#include <windows.h>

class WindowTimer {
public:
    WindowTimer(UINT_PTR id, UINT interval) : id_(id), interval_(interval) {}
    ~WindowTimer() { Stop(); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    void Attach(HWND window) { window_ = window; }
    UINT_PTR Id() const { return id_; }
    UINT Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }

    void Start();
    void Stop();
    // A new interval takes effect at once when the timer runs (it starts counting again).
    void SetInterval(UINT interval);

private:
    HWND window_ = nullptr;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};
