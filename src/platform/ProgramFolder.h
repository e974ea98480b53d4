// Program-wide folder of the executable, set when the main window is created.
#pragma once
#include <string>

// With a trailing delimiter; empty until the main window's handle exists.
extern std::string ProgramFolder;

// The folder of the running executable, with a trailing delimiter.
std::string ExecutableFolder();
// The file name of the running executable, without its folder.
std::string ExecutableFileName();
