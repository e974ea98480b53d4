// The program's general error class: raised by a failing step, caught by Guarded.
#pragma once
#include <stdexcept>
#include <string>

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Errors of the log itself; they are errors too, so they reach the error display.
class InOutError : public Error {
public:
    explicit InOutError(const std::string& message) : Error(message) {}
};
