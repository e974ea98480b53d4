#include <gtest/gtest.h>

#include "catalogue/Folder.h"
#include "catalogue/NameList.h"
#include "catalogue/ProgramRule.h"

TEST(NameList, NamesDifferingOnlyInCaseAreOneName) {
    TNameList list(CompareNamesInLocale);
    list.Add("Games");
    list.Add("GAMES");
    list.Add("games");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], "Games");
    EXPECT_EQ(list.IndexOf("gAmEs"), 0);
    EXPECT_EQ(list.IndexOf("Game"), -1);
    // Removed, the name may come again, at the end of the load order; a copy keeps the check.
    list.Add("Apps");
    list.Remove("GAMES");
    EXPECT_FALSE(list.Contains("games"));
    list.Add("games");
    TNameList copy = list;
    copy.Add("APPS");
    copy.Add("Tools");
    EXPECT_EQ(copy.Names(), (std::vector<std::string>{"Apps", "games", "Tools"}));
    EXPECT_TRUE(copy.Contains("TOOLS"));
}

TEST(NameList, SortThenKeepInsertingInOrder) {
    TNameList list(CompareNamesInLocale);
    for (const char* n : {"b.lnk", "A", "a.lnk"}) list.Add(n);
    list.Sort();
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"A", "a.lnk", "b.lnk"}));
    list.Add("Games.lnk");
    list.Add("Games");
    list.Add("aa");
    list.Add("B.LNK");
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"A", "a.lnk", "aa", "b.lnk", "Games", "Games.lnk"}));
    EXPECT_EQ(list.IndexOf("games.LNK"), 5);
    list.Remove("AA");
    EXPECT_EQ(list.IndexOf("aa"), -1);
    EXPECT_EQ(list.Count(), 5);
}

TEST(Captions, LnkExtensionGoesAnyOtherStays) {
    for (auto [path, caption] : {std::pair{"c:\\p\\Word.lnk", "Word"}, {"c:\\p\\Tool.LNK", "Tool"},
                                 {"c:\\p\\Readme.txt", "Readme.txt"}, {"c:\\p\\Accessories", "Accessories"},
                                 {"c:\\p\\v1.2 Tool.lnk", "v1.2 Tool"}})
        EXPECT_EQ(CaptionOfPath(path), caption);
    EXPECT_EQ(LastComponent("c:\\p\\q\\Archiver"), "Archiver");
}

// A program's extension anywhere in the line counts, in any case, unless "unwise" or "unins" is there too.
TEST(ProgramRule, CommandLinesThatStartPrograms) {
    for (const char* line : {"C:\\Tools\\app.EXE ", "C:\\WINDOWS\\system32\\rundll32.exe shell32.dll,Control_RunDLL",
                             "c:\\x\\run.bat ", "c:\\x\\compmgmt.msc /s", "c:\\x\\old.com ", "c:\\viewer c:\\docs\\a.exe.txt"})
        EXPECT_TRUE(IsProgramCommandLine(line)) << line;
    for (const char* line : {"c:\\docs\\readme.txt ", "c:\\docs\\help.chm ", " ", "c:\\app\\unins000.exe ",
                             "c:\\app\\UNWISE.EXE c:\\app\\install.log", "c:\\windows\\run.exe /x Uninstall"})
        EXPECT_FALSE(IsProgramCommandLine(line)) << line;
}
