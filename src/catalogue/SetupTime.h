// The "SetupTime" stamp of newly added entries and the recency it gives; pure.
#pragma once
#include <string>

struct StampTime {
    int year, month, day, hour, minute, second;
};

// "YYYY:MM:DD HH:MM:SS" with every ':' written as the user's time separator.
std::string FormatSetupTime(const StampTime& t, char timeSeparator);
// Digits from fixed positions, separators ignored. Raises Error when a part is no number;
// valid is false when the numbers form no real date and time.
StampTime ParseSetupTimeFields(const std::string& stamp, bool& valid);
bool IsValidStampTime(const StampTime& t);

// 10 on the stamp's day, one less per day (days rounded halves to even), 0 from ten days on.
int RecencyFromDays(double days);
