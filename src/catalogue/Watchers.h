// Following changes of the two Start Menu folders: one rebuild 1.5 s after the first change of a
// burst, however long the burst goes on.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "catalogue/FileNotification.h"
#include "platform/WindowTimer.h"

class TFolderWatchers {
public:
    explicit TFolderWatchers(std::function<void()> rebuild) : rebuild_(std::move(rebuild)) {}
    TFolderWatchers(const TFolderWatchers&) = delete;
    TFolderWatchers& operator=(const TFolderWatchers&) = delete;

    // Watches both folders and their subtrees; the changes and the timer go to the window.
    void Start(HWND window, const std::string& commonStartMenu, const std::string& userStartMenu);
    // No rebuild starts after this.
    void Stop();
    // The window's kDirectoryChangedMessage and WM_TIMER; others' ids are let be.
    void Deliver(WPARAM id);
    void OnTimer(UINT_PTR id);

    void FN1DirectoryChanged();
    void UpdateFolderTimerTimer();

private:
    std::function<void()> rebuild_;
    std::unique_ptr<TfisFileNotification> FN1, FN2;
    WindowTimer UpdateFolderTimer{1, 1500};
};
