// Conversions between the ANSI code page and UTF-16, for the calls that need wide text.
#pragma once
#include <string>

std::wstring ToWide(const std::string& ansi);
std::string ToAnsi(const std::wstring& wide);
// UTF-8 holds any wide text whole, where the code page may not.
std::wstring FromUtf8(const std::string& utf8);
std::string ToUtf8(const std::wstring& wide);
// Locale-aware lower-casing of a file name, as the system compares them.
std::string AnsiLowerFileName(const std::string& text);
// The system's message text for an error code, without the trailing line end.
std::string SystemErrorText(unsigned long code);
