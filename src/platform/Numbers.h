// Strict text-to-number conversion; pure.
#pragma once
#include <string>

// Optional sign and decimal digits only, within the 32-bit range; false otherwise.
bool ParseDecimal(const std::string& text, long& value);
