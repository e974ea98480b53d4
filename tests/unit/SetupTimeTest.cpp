#include <gtest/gtest.h>

#include <tuple>

#include "catalogue/SetupTime.h"
#include "platform/Error.h"

TEST(SetupTime, FormatUsesTheTimeSeparatorEverywhereAndParseIgnoresIt) {
    StampTime t{2009, 3, 15, 14, 5, 33};
    EXPECT_EQ(FormatSetupTime(t, ':'), "2009:03:15 14:05:33");
    EXPECT_EQ(FormatSetupTime(t, '.'), "2009.03.15 14.05.33");
    EXPECT_EQ(FormatSetupTime({2026, 12, 8, 0, 0, 0}, ':'), "2026:12:08 00:00:00");
    // Read back from fixed positions, whatever the separators.
    for (const char* s : {"2009:03:15 14:05:33", "2009.03.15 14.05.33", "2009-03-15T14h05m33"}) {
        bool valid = false;
        StampTime t = ParseSetupTimeFields(s, valid);
        EXPECT_TRUE(valid) << s;
        EXPECT_EQ(std::tuple(t.year, t.month, t.day, t.hour, t.minute, t.second), std::tuple(2009, 3, 15, 14, 5, 33))
            << s;
    }
}

TEST(SetupTime, ImpossibleDatesAreInvalidAndLettersRaise) {
    struct {
        const char* stamp;
        bool valid;
    } const cases[] = {{"2009:13:01 10:00:00", false},
                       {"2008:02:29 23:59:59", true},  {"2009:01:01 24:00:00", false},
                       {"1900:02:29 10:00:00", false},  // a century is no leap year...
                       {"2000:02:29 10:00:00", true}};  // ...unless it divides by 400
    for (const auto& c : cases) {
        bool valid = !c.valid;
        ParseSetupTimeFields(c.stamp, valid);
        EXPECT_EQ(valid, c.valid) << c.stamp;
    }
    // Each month's last day in a year that is no leap year, and the day after it.
    const int lastDay[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_TRUE(IsValidStampTime({2009, month, lastDay[month - 1], 10, 0, 0})) << month;
        EXPECT_FALSE(IsValidStampTime({2009, month, lastDay[month - 1] + 1, 10, 0, 0})) << month;
    }
    bool valid = true;
    EXPECT_THROW(ParseSetupTimeFields("20x9:03:15 14:05:33", valid), Error);
    EXPECT_THROW(ParseSetupTimeFields("2009:03:15", valid), Error);
}

TEST(Recency, DaysRoundHalvesToEven) {
    EXPECT_EQ(RecencyFromDays(0.0), 10);
    EXPECT_EQ(RecencyFromDays(2.5), 8);
    EXPECT_EQ(RecencyFromDays(3.5), 6);
    EXPECT_EQ(RecencyFromDays(9.4), 1);
    EXPECT_EQ(RecencyFromDays(9.5), 0);
    EXPECT_EQ(RecencyFromDays(-1.0), 9);
    EXPECT_EQ(RecencyFromDays(400.0), 0);
}
