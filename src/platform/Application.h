// The process-wide application object: title, message loop with its filter, terminate, error display.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace Application {

// Sees every queued message before dispatch; sets handled to keep it from the window.
using MessageFilter = std::function<void(MSG&, bool& handled)>;

void SetTitle(const std::string& title);
const std::string& Title();

void SetMessageFilter(MessageFilter filter);
// Runs the loop until Terminate; returns at once when termination was already asked for.
void Run();
// Handles the messages waiting in the queue, then returns.
void ProcessMessages();
// The loop ends after the current message.
void Terminate();
bool Terminated();

// The standard error display: a message box with the error's message.
void ShowException(const std::exception& e);

}  // namespace Application
