// The shape of one log line; pure.
#pragma once
#include <string>

struct LogMoment {
    std::string date;  // in the user's short date format
    std::string time;  // in the user's long time format
    bool midnight = false;  // exactly 00:00:00.000: the time is left out
    int milliseconds = 0;
};

// Exactly 00:00:00.000, the moment whose stamp leaves the time out.
bool IsExactMidnight(int hour, int minute, int second, int milliseconds);

// Time stamp "c zzz" directly followed by the message, ended by CR LF.
std::string FormatLogLine(const LogMoment& moment, const std::string& message);
