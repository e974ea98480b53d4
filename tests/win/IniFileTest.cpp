#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/IniFile.h"
#include "support/TempFolder.h"

TEST(IniFile, CreatingTheObjectTouchesNoFile) {
    TempFolder dir;
    TIniFile ini(dir / "tab1.ini");
    EXPECT_FALSE(FileExists(dir / "tab1.ini"));
    EXPECT_FALSE(ini.SectionExists("Resolution"));
}

TEST(IniFile, WritesReadBackInKeyOrder) {
    TempFolder dir;
    TIniFile ini(dir / "Main.ini");
    ini.WriteInteger("Resolution", "Count", 12);
    ini.WriteInteger("Resolution", "Width", 6);
    ini.WriteString("Tabs", "1", "None");
    EXPECT_TRUE(ini.SectionExists("Resolution"));
    EXPECT_EQ(ini.ReadInteger("Resolution", "Width", -1), 6);
    EXPECT_EQ(ini.ReadString("Tabs", "1", ""), "None");
    EXPECT_EQ(ini.ReadSection("Resolution"), (std::vector<std::string>{"Count", "Width"}));
    EXPECT_EQ(ReadWholeFile(dir / "Main.ini"), "[Resolution]\r\nCount=12\r\nWidth=6\r\n[Tabs]\r\n1=None\r\n");
}

TEST(IniFile, NonNumericIntegersGiveTheFallback) {
    TempFolder dir;
    WriteWholeFile(dir / "a.ini", "[S]\r\nA=abc\r\nB=\r\nC=-4\r\n");
    TIniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.ReadInteger("S", "A", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "B", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "C", -1), -4);
    EXPECT_EQ(ini.ReadInteger("S", "Missing", 3), 3);
}

TEST(IniFile, LongValuesAreReadWhole) {
    TempFolder dir;
    TIniFile ini(dir / "a.ini");
    std::string longPath(5000, 'x');
    ini.WriteString("S", "1", longPath);
    EXPECT_EQ(ini.ReadString("S", "1", ""), longPath);
}

TEST(IniFile, EraseAndDelete) {
    TempFolder dir;
    TIniFile ini(dir / "a.ini");
    ini.WriteString("S", "1", "a");
    ini.WriteString("S", "2", "b");
    ini.DeleteKey("S", "1");
    EXPECT_EQ(ini.ReadSection("S"), (std::vector<std::string>{"2"}));
    ini.EraseSection("S");
    EXPECT_FALSE(ini.SectionExists("S"));
}

TEST(Files, ForceDirectoriesCreatesParentsAndFailsUnderAFile) {
    TempFolder dir;
    EXPECT_TRUE(ForceDirectories(dir / "a\\b\\c"));
    EXPECT_TRUE(DirectoryExists(dir / "a\\b\\c"));
    WriteWholeFile(dir / "blocker", "x");
    EXPECT_FALSE(ForceDirectories(dir / "blocker"));
    EXPECT_FALSE(ForceDirectories(dir / "blocker\\sub"));
}
