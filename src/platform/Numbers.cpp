#include "platform/Numbers.h"

#include <cmath>
#include <cstdint>

#include "platform/Error.h"

bool ParseDecimal(const std::string& text, long& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<long>(v);
    return true;
}

void RaiseNotAnInteger(const std::string& text) { throw Error("'" + text + "' is not a valid integer value"); }

long DecimalOrRaise(const std::string& text) {
    long v = 0;
    if (!ParseDecimal(text, v)) RaiseNotAnInteger(text);
    return v;
}

double RoundHalfEvenReal(double value) {
    double r = std::floor(value + 0.5);
    if (r - value == 0.5 && std::fmod(r, 2.0) != 0.0) r -= 1.0;  // exactly half: to even
    return r;
}

int RoundHalfEven(double value) { return static_cast<int>(RoundHalfEvenReal(value)); }

int ScalePixels(int px, int dpi) {
    long long n = static_cast<long long>(px) * dpi;
    long long scaled = n >= 0 ? (n + kBaseDpi / 2) / kBaseDpi : -((-n + kBaseDpi / 2) / kBaseDpi);
    return static_cast<int>(scaled);
}
