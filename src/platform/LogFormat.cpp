#include "platform/LogFormat.h"

#include <cstdio>

bool IsExactMidnight(int hour, int minute, int second, int milliseconds) {
    return hour == 0 && minute == 0 && second == 0 && milliseconds == 0;
}

std::string FormatLogLine(const LogMoment& moment, const std::string& message) {
    std::string line = moment.date;
    if (!moment.midnight) line += " " + moment.time;
    char ms[8];
    std::snprintf(ms, sizeof ms, " %03d", moment.milliseconds % 1000);
    line += ms;
    line += message;
    line += "\r\n";
    return line;
}
