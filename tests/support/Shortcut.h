// Makes real .lnk files through the shell's link object.
#pragma once
#include <string>

// Creates the shortcut (and, when createTarget, an empty target file first), with the icon of
// iconFile when given. False on failure.
bool MakeShortcut(const std::string& linkPath, const std::string& target, const std::string& arguments = "",
                  const std::string& workingFolder = "", bool createTarget = true, const std::string& iconFile = "",
                  int iconIndex = 0);
