// The program's side of the hook library Kestrola.dll (Windows XP build 2600 only): the shared
// block, the library beside the program and its two system-wide hooks.
#pragma once
#include <windows.h>

#include <string>

#include "platform/Handle.h"
#include "shell/HookContract.h"

class THookLink {
public:
    // Publishes the main window and the settings in the block; the library is taken only from
    // the program's own folder.
    bool StartHookLink(HWND mainWindow, const std::string& programFolder);
    bool StopHookLink();
    // The four settings into the block, for the hooks of every process.
    void PublishHookSettings();
    UINT ShowMenuMessage = 0;       // registered when the link starts
    UINT OptionsUpdateMessage = 0;  // likewise

private:
    UniqueHandle mapping_;
    UniqueModule library_;
    UniqueMapView view_;
    bool started_ = false;
};
