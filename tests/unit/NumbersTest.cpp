#include <gtest/gtest.h>

#include "platform/Numbers.h"

TEST(ParseDecimal, AcceptsSignedDecimalsInThe32BitRange) {
    for (auto [text, value] : {std::pair{"42", 42L}, {"-100", -100L}, {"+7", 7L}, {"-2147483648", -2147483647L - 1},
                               {"2147483647", 2147483647L}}) {
        long v = 0;
        EXPECT_TRUE(ParseDecimal(text, v)) << text;
        EXPECT_EQ(v, value) << text;
    }
}

TEST(ParseDecimal, RefusesEverythingElseAndKeepsTheValue) {
    long v = 5;
    for (const char* t : {"", "-", "abc", "1x", " 1", "1 ", "2147483648", "-2147483649", "0x10",
                          "99999999999999999999"}) {
        EXPECT_FALSE(ParseDecimal(t, v)) << t;
        EXPECT_EQ(v, 5);
    }
}
