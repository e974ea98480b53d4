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

// Lengths are given for 96 dots per inch, the system's DPI at 100 %.
constexpr int kBaseDpi = 96;
// A length of px pixels at 96 DPI drawn at dpi, as MulDiv(px, dpi, 96) gives it: to the nearest
// pixel, halves away from zero.
int ScalePixels(int px, int dpi);
