#include "win/CatalogueFixture.h"

#include <functional>
#include <stdexcept>

#include "catalogue/IconCache.h"
#include "catalogue/ProgramRule.h"
#include "catalogue/Shortcuts.h"
#include "panel/StartProgram.h"

using ShortcutRules = CatalogueTree;

TEST_F(ShortcutRules, ClassifiesRealShortcutsByTheirCommandLine) {
    std::string d = base + "\\links";
    ASSERT_TRUE(MakeShortcut(d + "\\App.lnk", base + "\\tools\\app.EXE"));
    ASSERT_TRUE(MakeShortcut(d + "\\Panel.lnk", "C:\\windows\\system32\\rundll32.exe", "shell32.dll,Control_RunDLL",
                             "", false));
    ASSERT_TRUE(MakeShortcut(d + "\\Readme.lnk", base + "\\docs\\readme.txt"));
    ASSERT_TRUE(MakeShortcut(d + "\\Help.lnk", base + "\\docs\\help.chm"));
    ASSERT_TRUE(MakeShortcut(d + "\\Remove.lnk", base + "\\tools\\unins000.exe"));
    ASSERT_TRUE(MakeShortcut(d + "\\Wise.lnk", base + "\\tools\\viewer.exe", base + "\\tools\\UNWISE.EXE"));
    for (auto [name, program] : {std::pair{"App", true}, {"Panel", true}, {"Readme", false}, {"Help", false},
                                 {"Remove", false}, {"Wise", false}})
        EXPECT_EQ(IsProgramCommandLine(ReadShortcut(d + "\\" + name + ".lnk").commandLine), program) << name;
    ShortcutInfo panel = ReadShortcut(d + "\\Panel.lnk");
    EXPECT_NE(panel.commandLine.find(" shell32.dll,Control_RunDLL"), std::string::npos) << panel.commandLine;
    EXPECT_EQ(ReadShortcut(d + "\\Missing.lnk").commandLine, "");
}

TEST_F(ShortcutRules, SingleProgramLooksIntoSameNamedTwins) {
    Program(paths.CommonPrograms + "\\Archiver", "Archiver.lnk");
    EXPECT_TRUE(MakeShortcut(paths.CommonPrograms + "\\Archiver\\Help.lnk", base + "\\docs\\Help.txt"));  // a document
    EXPECT_EQ(SingleProgram(paths, paths.CommonPrograms + "\\Archiver", "x"), "Archiver.lnk");

    // The same App.lnk in the twin, met right after, is one program; Tool.lnk makes two.
    Program(paths.CommonPrograms + "\\Suite", "App.lnk");
    Program(paths.UserPrograms + "\\Suite", "App.lnk");
    EXPECT_EQ(SingleProgram(paths, paths.CommonPrograms + "\\Suite", "x"), "App.lnk");
    Program(paths.UserPrograms + "\\Suite", "Tool.lnk");
    EXPECT_EQ(SingleProgram(paths, paths.CommonPrograms + "\\Suite", "x"), "x");

    // A folder in the user's Start Menu also counts its twins in the three other roots.
    ForceDirectories(paths.UserStartMenu + "\\Tools");
    Program(paths.CommonPrograms + "\\Tools", "Only.lnk");
    EXPECT_EQ(SingleProgram(paths, paths.UserStartMenu + "\\Tools", "x"), "Only.lnk");
    // ...but a folder in the all-users Programs skips the all-users Start Menu (a prefix of its path).
    Program(paths.CommonStartMenu + "\\Tools", "Other.lnk");
    EXPECT_EQ(SingleProgram(paths, paths.CommonPrograms + "\\Tools", "x"), "Only.lnk");
    EXPECT_EQ(SingleProgram(paths, paths.UserStartMenu + "\\Tools", "x"), "x");

    EXPECT_EQ(SingleProgram(paths, base + "\\nowhere", "fallback"), "fallback");
}

TEST_F(ShortcutRules, ResolveGivesTargetArgumentsAndWorkingFolder) {
    std::string link = base + "\\links\\Run.lnk";
    ASSERT_TRUE(MakeShortcut(link, base + "\\tools\\run.exe", "-a \"b c\"", base + "\\work"));
    ResolvedShortcut r = ResolveShortcut(link);
    ASSERT_TRUE(r.resolved);
    EXPECT_EQ(AnsiLowerFileName(r.target), base + "\\tools\\run.exe");
    EXPECT_EQ(r.arguments, "-a \"b c\"");
    EXPECT_EQ(AnsiLowerFileName(r.workingFolder), base + "\\work");
    EXPECT_FALSE(ResolveShortcut(base + "\\links\\absent.lnk").resolved);

    // A working folder with variables, as the stock "Command Prompt" shortcut has: the shell does
    // not expand it (Wine's does), so the launch request must.
    std::string cmd = base + "\\links\\Prompt.lnk";
    SetEnvironmentVariableA("KESTROLA_TEST_DRIVE", base.substr(0, 2).c_str());
    SetEnvironmentVariableA("KESTROLA_TEST_REST", base.substr(2).c_str());
    ASSERT_TRUE(MakeShortcut(cmd, base + "\\tools\\run.exe", "", "%KESTROLA_TEST_DRIVE%%KESTROLA_TEST_REST%\\work"));
    LaunchRequest launch = LaunchRequestFor(cmd);
    EXPECT_EQ(AnsiLowerFileName(launch.workingFolder), base + "\\work");
    EXPECT_EQ(AnsiLowerFileName(LaunchRequestFor(link).workingFolder), base + "\\work") << "no variables: as it is";
    EXPECT_EQ(LaunchRequestFor(base + "\\tools\\run.exe").workingFolder, base + "\\tools");
}

TEST_F(ShortcutRules, IconIndexesForFilesAndFolders) {
    std::string link = Program(paths.CommonPrograms, "Editor.lnk");
    int file = ShellIconIndex(link, model->Catalogue.DesktopFolder());
    int folder = ShellIconIndex(paths.CommonPrograms, model->Catalogue.DesktopFolder());
    // The same system image list index the shell gives each path by itself.
    for (const auto& [path, index] : {std::pair<std::string, int>{link, file}, {paths.CommonPrograms, folder}}) {
        SHFILEINFOA info = {};
        ASSERT_TRUE(SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) << path;
        EXPECT_EQ(index, info.iIcon) << path;
    }
    EXPECT_NE(file, folder);
    EXPECT_THROW(ShellIconIndex(base + "\\no\\such\\thing.lnk", model->Catalogue.DesktopFolder()), std::exception);
}

// Kept icons: asked again exactly when something the answer depends on changed.
TEST_F(ShortcutRules, KeptIconIndexesAreAskedAgainOnlyWhenTheirKeyOrTheListChanged) {
    std::string file = base + "\\docs\\kept.txt";
    ForceDirectories(base + "\\docs");
    WriteWholeFile(file, "one");
    IconIndexCache cache;
    int asked = 0;
    auto ask = [&] { return ++asked * 10; };
    cache.CheckImageList(50, 32);
    struct Step {
        const char* what;
        std::function<void()> change;
        bool asksAgain;
    } steps[] = {
        {"first look", [] {}, true},
        {"nothing changed", [] {}, false},
        {"the same path in other capitals", [] {}, false},
        {"more images in the list", [&] { cache.CheckImageList(60, 32); }, false},
        {"fewer images: the list was made anew", [&] { cache.CheckImageList(40, 32); }, true},
        {"another icon size", [&] { cache.CheckImageList(40, 48); }, true},
        {"the file rewritten", [&] { WriteWholeFile(file, "longer"); }, true},
        {"associations changed", [&] { cache.Clear(); }, true},
    };
    int expected = 0;
    for (const Step& step : steps) {
        step.change();
        expected += step.asksAgain;
        std::string path = file;
        if (std::string(step.what).find("capitals") != std::string::npos) CharUpperA(&path[0]);
        EXPECT_EQ(cache.Lookup(path, ask), expected * 10) << step.what;
        EXPECT_EQ(asked, expected) << step.what;
    }
    EXPECT_THROW(cache.Lookup(file + ".gone", [&]() -> int { throw std::runtime_error("no icon"); }), std::exception);
    EXPECT_EQ(cache.Lookup(file + ".gone", ask), ++expected * 10) << "a path that cannot be read is never kept";
    EXPECT_EQ(cache.Lookup(file + ".gone", ask), ++expected * 10);
}
