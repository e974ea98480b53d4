#include <gtest/gtest.h>

#include "platform/LogFormat.h"

TEST(LogFormat, StampThenMessageWithoutSeparatorAndCrLf) {
    LogMoment m{"08.12.2026", "14:03:07", false, 5};
    EXPECT_EQ(FormatLogLine(m, "FormCreateCreate folder error!"),
              "08.12.2026 14:03:07 005FormCreateCreate folder error!\r\n");
}

TEST(LogFormat, MillisecondsAlwaysThreeDigits) {
    EXPECT_EQ(FormatLogLine({"d", "t", false, 0}, "x"), "d t 000x\r\n");
    EXPECT_EQ(FormatLogLine({"d", "t", false, 42}, "x"), "d t 042x\r\n");
    EXPECT_EQ(FormatLogLine({"d", "t", false, 999}, "x"), "d t 999x\r\n");
}

TEST(LogFormat, ExactMidnightLeavesTheTimeOut) {
    EXPECT_EQ(FormatLogLine({"12/8/2026", "12:00:00 AM", true, 0}, "m"), "12/8/2026 000m\r\n");
    EXPECT_TRUE(IsExactMidnight(0, 0, 0, 0));
    // A millisecond, a second, a minute or an hour past it is not midnight.
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(IsExactMidnight(k == 0, k == 1, k == 2, k == 3)) << k;
}

TEST(LogFormat, EmptyMessageStillGivesAStampedLine) {
    EXPECT_EQ(FormatLogLine({"12/8/2026", "1:02:03 PM", false, 7}, ""), "12/8/2026 1:02:03 PM 007\r\n");
}
