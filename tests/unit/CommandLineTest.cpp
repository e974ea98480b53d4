#include <gtest/gtest.h>

#include "app/CommandLine.h"

TEST(CommandLine, FirstParameterSkipsTheProgramAndHonoursQuotes) {
    EXPECT_EQ(FirstParameter("\"C:\\Program Files\\Kestrola.exe\" exit"), "exit");
    EXPECT_EQ(FirstParameter("Kestrola.exe   \"no exit\" more"), "no exit");
    EXPECT_EQ(FirstParameter("Kestrola.exe"), "");
    EXPECT_EQ(FirstParameter("Kestrola.exe\t-EXIT"), "-EXIT");
    EXPECT_EQ(FirstParameter("\"C:\\a b\\Kestrola.exe\""), "");
}

TEST(CommandLine, ExitAnywhereInTheFirstParameterIgnoringCase) {
    for (const char* p : {"exit", "/EXIT", "-exit", "noexit", "ExIt"})
        EXPECT_TRUE(IsExitRequest(p)) << p;
    for (const char* p : {"", "exi", "ex it", "/quit"}) EXPECT_FALSE(IsExitRequest(p)) << p;
    // Only the first parameter counts.
    EXPECT_FALSE(IsExitRequest(FirstParameter("Kestrola.exe other exit")));
    EXPECT_TRUE(IsExitRequest(FirstParameter("Kestrola.exe /EXIT other")));
}
