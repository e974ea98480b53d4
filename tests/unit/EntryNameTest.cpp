#include <gtest/gtest.h>

#include "catalogue/EntryName.h"

TEST(EntryName, NamesThatCannotBeCataloguedAndWhy) {
    struct Row {
        std::string name;
        size_t folder;
        NameFault fault;
    } rows[] = {
        {"Editor.lnk", 40, NameFault::None},
        {"Caf\xE9 au lait.lnk", 40, NameFault::None},
        {"a\r\n[Files]\r\n1=x.lnk", 40, NameFault::ControlCharacter},
        {"tab\there.lnk", 40, NameFault::ControlCharacter},
        {std::string("nul\0.lnk", 8), 40, NameFault::ControlCharacter},
        {"del\x7F.lnk", 40, NameFault::ControlCharacter},
        {"??.lnk", 40, NameFault::OutsideCodePage},
        {"Notes.lnk ", 40, NameFault::TrailingBlankOrDot},
        {"Notes.", 40, NameFault::TrailingBlankOrDot},
        {" Leading blank.lnk", 40, NameFault::None},
        {std::string(10, 'n'), 248, NameFault::None},  // 248 + 1 + 10 = 259 characters
        {std::string(11, 'n'), 248, NameFault::PathTooLong},
    };
    for (const Row& r : rows) EXPECT_EQ(FaultOfName(r.name, r.folder), r.fault) << SafeName(r.name);
    EXPECT_STREQ(FaultText(NameFault::None), "");
    EXPECT_STRNE(FaultText(NameFault::ControlCharacter), FaultText(NameFault::PathTooLong));
    // A name as the log shows it holds no control character.
    EXPECT_EQ(SafeName("a\r\n[Files]\x1F\x7F.lnk"), "a<0D><0A>[Files]<1F><7F>.lnk");
    EXPECT_EQ(SafeName("Caf\xE9.lnk"), "Caf\xE9.lnk");
}
