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
    EXPECT_EQ(CaptionOfPath("c:\\p\\Word.lnk"), "Word");
    EXPECT_EQ(CaptionOfPath("c:\\p\\Tool.LNK"), "Tool");
    EXPECT_EQ(CaptionOfPath("c:\\p\\Readme.txt"), "Readme.txt");
    EXPECT_EQ(CaptionOfPath("c:\\p\\Accessories"), "Accessories");
    EXPECT_EQ(CaptionOfPath("c:\\p\\v1.2 Tool.lnk"), "v1.2 Tool");
    EXPECT_EQ(LastComponent("c:\\p\\q\\Archiver"), "Archiver");
}

TEST(ProgramRule, CommandLinesThatStartPrograms) {
    EXPECT_TRUE(IsProgramCommandLine("C:\\Tools\\app.EXE "));
    EXPECT_TRUE(IsProgramCommandLine("C:\\WINDOWS\\system32\\rundll32.exe shell32.dll,Control_RunDLL"));
    EXPECT_TRUE(IsProgramCommandLine("c:\\x\\run.bat "));
    EXPECT_TRUE(IsProgramCommandLine("c:\\x\\compmgmt.msc /s"));
    EXPECT_TRUE(IsProgramCommandLine("c:\\x\\old.com "));
    EXPECT_TRUE(IsProgramCommandLine("c:\\viewer c:\\docs\\a.exe.txt")) << "a substring anywhere counts";
    EXPECT_FALSE(IsProgramCommandLine("c:\\docs\\readme.txt "));
    EXPECT_FALSE(IsProgramCommandLine("c:\\docs\\help.chm "));
    EXPECT_FALSE(IsProgramCommandLine(" "));
    EXPECT_FALSE(IsProgramCommandLine("c:\\app\\unins000.exe "));
    EXPECT_FALSE(IsProgramCommandLine("c:\\app\\UNWISE.EXE c:\\app\\install.log"));
    EXPECT_FALSE(IsProgramCommandLine("c:\\windows\\run.exe /x Uninstall"));
}
