// Strict text-to-number conversion; pure.
#pragma once
#include <string>

// Optional sign and decimal digits only, within the 32-bit range; false otherwise.
bool ParseDecimal(const std::string& text, long& value);
// The same, raising Error "'text' is not a valid integer value" when the text is no number.
long DecimalOrRaise(const std::string& text);
[[noreturn]] void RaiseNotAnInteger(const std::string& text);

// Round to nearest, halves to even, as the layout, recency and colour rules want.
double RoundHalfEvenReal(double value);
int RoundHalfEven(double value);
