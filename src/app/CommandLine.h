// Command-line rules of the entry point; pure.
#pragma once
#include <string>

// The first parameter after the program name, parsed as the runtime's ParamStr(1) does:
// blanks and control characters separate, double quotes group and are dropped.
std::string FirstParameter(const std::string& commandLine);
// True when the first parameter asks the running instance to end.
bool IsExitRequest(const std::string& firstParameter);
