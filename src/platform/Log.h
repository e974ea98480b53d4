// The diagnostic log "log.txt": beside the program where that folder takes it (portable use),
// else in the data folder (a program under Program Files, where a user may not write).
#pragma once
#include <exception>
#include <string>

// Appends one time-stamped line, to the first of the two places that takes it. Raises InOutError
// when neither can be written.
void WriteLog(const std::string& message);
// The first place: ProgramFolder + "log.txt" (the current folder while ProgramFolder is empty).
std::string LogFileName();
// The second place, from the moment the data folder exists; empty for none.
void SetLogFallbackFolder(const std::string& folder);

// How a failure of the log itself reaches the user: the program's error display, set at start.
using LogFailureDisplay = void (*)(const std::exception&);
void SetLogFailureDisplay(LogFailureDisplay display);
// Never raises: it is the last resort of every guarded operation. Shown once a run (the next
// SetLogFailureDisplay counts afresh): a log that cannot be written stays so, and a box for every
// line would stop the program at each.
void ShowLogFailure(const std::exception& e) noexcept;
// WriteLog, with a failure of the log shown instead of raised: for a line that must not end the
// work it reports on.
void WriteLogOrShow(const std::string& message) noexcept;
