// Watching a Start Menu folder and its whole subtree for files and folders that come and go.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Handle.h"

// The hand-over message a worker posts to the window: wParam is the watcher's id.
constexpr UINT kDirectoryChangedMessage = WM_APP + 24;

class TfisFileNotification {
public:
    // Changes are handed to the window's thread as kDirectoryChangedMessage with wParam id; that
    // thread calls Deliver, which runs OnDirectoryChanged and lets the worker go on.
    TfisFileNotification(HWND window, WPARAM id) : window_(window), id_(id) {}
    // Stops the worker within one wait, also while it is handing a change over.
    ~TfisFileNotification();
    TfisFileNotification(const TfisFileNotification&) = delete;
    TfisFileNotification& operator=(const TfisFileNotification&) = delete;

    std::string Directory;
    std::function<void()> OnDirectoryChanged;

    // Creates the worker for Directory; once it runs, a second call changes nothing.
    void Start();
    void Deliver();
    bool Running() const;

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    // Posts the change and waits until it was delivered; false when told to end meanwhile.
    bool HandOver();

    HWND window_;
    WPARAM id_;
    std::string folder_;  // the worker's copy of Directory
    UniqueHandle terminate_, handled_, thread_;
};
