// Program entry: an "exit" request for the running instance, or the resident program.
#include <windows.h>
#include <objbase.h>

#include "platform/Application.h"
#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "platform/Gdi.h"
#include "platform/Log.h"

namespace {

void ForwardExitRequest() {
    PostMessageA(HWND_BROADCAST, ProgramExitMessage, 0, 0);
    // Measured on the tick counter on purpose: the process has no message loop and must not
    // depend on one. It sleeps between looks instead of spinning a core.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000) Sleep(50);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ProgramExitMessage = RegisterWindowMessageA("WM_ProgramExit_Kestrola");
    if (IsExitRequest(FirstParameter(GetCommandLineA()))) {
        ForwardExitRequest();
        return 0;
    }
    SetLogFailureDisplay(Application::ShowException);
    CoInitialize(nullptr);
    // The last handler: nothing may unwind into the system's start-up code.
    try {
        GdiplusSession gdiplus;
        TMainForm form;
        form.LoadComponents();
        form.FormCreate();
        Application::Run();
    } catch (const std::exception& e) {
        Application::ShowException(e);
    }
    CoUninitialize();
    return 0;
}
