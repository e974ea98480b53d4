#include "catalogue/SetupTime.h"

#include <cmath>
#include <cstdio>

#include "platform/Error.h"
#include "platform/Numbers.h"

std::string FormatSetupTime(const StampTime& t, char sep) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d%c%02d%c%02d %02d%c%02d%c%02d", t.year, sep, t.month, sep, t.day,
                  t.hour, sep, t.minute, sep, t.second);
    return buffer;
}

namespace {
int Part(const std::string& s, size_t from, size_t length) {
    if (from + length > s.size()) throw Error("'" + s + "' is not a valid stamp");
    int v = 0;
    for (size_t i = from; i < from + length; ++i) {
        char c = s[i];
        if (c < '0' || c > '9') RaiseNotAnInteger(s.substr(from, length));
        v = v * 10 + (c - '0');
    }
    return v;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
}  // namespace

bool IsValidStampTime(const StampTime& t) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < 1 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1) return false;
    int limit = days[t.month - 1] + (t.month == 2 && LeapYear(t.year) ? 1 : 0);
    return t.day <= limit && t.hour < 24 && t.minute < 60 && t.second < 60;
}

StampTime ParseSetupTimeFields(const std::string& stamp, bool& valid) {
    StampTime t{Part(stamp, 0, 4), Part(stamp, 5, 2), Part(stamp, 8, 2),
                Part(stamp, 11, 2), Part(stamp, 14, 2), Part(stamp, 17, 2)};
    valid = IsValidStampTime(t);
    return t;
}

int RecencyFromDays(double days) {
    int d = RoundHalfEven(std::fabs(days));
    return (d >= 0 && d <= 9) ? 10 - d : 0;
}
