// Runs one named operation: an Error escaping it becomes one log line, name + message.
#pragma once
#include <exception>
#include <string>

#include "platform/Log.h"

// True when the body ran to its end.
template <typename Body>
bool Guarded(const char* operation, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        // A log that cannot be written is shown to the user, and the program goes on.
        WriteLogOrShow(std::string(operation) + e.what());
        return false;
    }
}
