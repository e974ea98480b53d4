// Which shortcut command lines count as programs; pure.
#pragma once
#include <string>

// Holds one of ".exe", ".com", ".bat", ".msc" and neither "unwise" nor "unins", anywhere, any case.
bool IsProgramCommandLine(const std::string& commandLine);
