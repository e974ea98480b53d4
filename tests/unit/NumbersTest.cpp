#include <gtest/gtest.h>

#include "platform/Numbers.h"

TEST(ParseDecimal, AcceptsSignedDecimalsInThe32BitRange) {
    long v = 0;
    EXPECT_TRUE(ParseDecimal("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(ParseDecimal("-100", v));
    EXPECT_EQ(v, -100);
    EXPECT_TRUE(ParseDecimal("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(ParseDecimal("-2147483648", v));
    EXPECT_EQ(v, -2147483647L - 1);
    EXPECT_TRUE(ParseDecimal("2147483647", v));
    EXPECT_EQ(v, 2147483647L);
}

TEST(ParseDecimal, RefusesEverythingElseAndKeepsTheValue) {
    long v = 5;
    for (const char* t : {"", "-", "abc", "1x", " 1", "1 ", "2147483648", "-2147483649", "0x10",
                          "99999999999999999999"}) {
        EXPECT_FALSE(ParseDecimal(t, v)) << t;
        EXPECT_EQ(v, 5);
    }
}
