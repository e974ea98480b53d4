#include "platform/Application.h"

namespace {
std::string g_title;
Application::MessageFilter g_filter;
bool g_terminated = false;

// Returns false once WM_QUIT has been taken.
bool HandleOne(MSG& msg) {
    if (msg.message == WM_QUIT) {
        g_terminated = true;
        return false;
    }
    try {
        bool handled = false;
        if (g_filter) g_filter(msg, handled);
        if (!handled) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } catch (const std::exception& e) {
        Application::ShowException(e);
    }
    return true;
}
}  // namespace

namespace Application {

void SetTitle(const std::string& title) { g_title = title; }
const std::string& Title() { return g_title; }
void SetMessageFilter(MessageFilter filter) { g_filter = std::move(filter); }

void Run() {
    MSG msg;
    while (!g_terminated && GetMessageA(&msg, nullptr, 0, 0) > 0) HandleOne(msg);
    g_terminated = true;
}

void ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!HandleOne(msg)) break;
}

void Terminate() {
    if (!g_terminated) PostQuitMessage(0);
}

bool Terminated() { return g_terminated; }

void ShowException(const std::exception& e) {
    MessageBoxA(nullptr, e.what(), g_title.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace Application
