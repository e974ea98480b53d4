// The diagnostic log "log.txt" in the program folder.
#pragma once
#include <string>

// Appends one time-stamped line. Raises InOutError when the file cannot be written.
void WriteLog(const std::string& message);
// Where the log goes: ProgramFolder + "log.txt" (the current folder while ProgramFolder is empty).
std::string LogFileName();
