// The diagnostic log "log.txt" in the program folder.
#pragma once
#include <exception>
#include <string>

// Appends one time-stamped line. Raises InOutError when the file cannot be written.
void WriteLog(const std::string& message);
// Where the log goes: ProgramFolder + "log.txt" (the current folder while ProgramFolder is empty).
std::string LogFileName();

// How a failure of the log itself reaches the user: the program's error display, set at start.
using LogFailureDisplay = void (*)(const std::exception&);
void SetLogFailureDisplay(LogFailureDisplay display);
// Never raises: it is the last resort of every guarded operation.
void ShowLogFailure(const std::exception& e) noexcept;
// WriteLog, with a failure of the log shown instead of raised: for a line that must not end the
// work it reports on.
void WriteLogOrShow(const std::string& message) noexcept;
