// Makes real .lnk files through the shell's link object.
#pragma once
#include <string>

// Creates the shortcut (and, when createTarget, an empty target file first). False on failure.
bool MakeShortcut(const std::string& linkPath, const std::string& target, const std::string& arguments = "",
                  const std::string& workingFolder = "", bool createTarget = true);
