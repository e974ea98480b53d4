#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <vector>

#include "catalogue/FolderPaths.h"

namespace {

struct FakeShell {
    std::map<int, std::string> answers;
    std::vector<int> asked;
    TFolderPaths Resolve() {
        return ResolveFolderPaths(
            [this](int id) {
                asked.push_back(id);
                auto it = answers.find(id);
                return it == answers.end() ? std::string() : it->second;
            },
            [](const std::string& s) {
                std::string out;
                for (char c : s) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                return out;
            });
    }
};

}  // namespace

TEST(FolderPaths, AsksInOrderAndLowersEveryPath) {
    FakeShell shell;
    shell.answers = {{23, "C:\\All\\Programs"}, {2, "C:\\Me\\Programs"},   {26, "C:\\Me\\AppData"},
                     {11, "C:\\Me\\Start Menu"}, {22, "C:\\All\\Start Menu"}, {7, "C:\\Me\\Startup"},
                     {24, "C:\\All\\Startup"}};
    TFolderPaths p = shell.Resolve();
    EXPECT_EQ(shell.asked, (std::vector<int>{23, 2, 26, 11, 22, 7, 24}));
    EXPECT_EQ(p.CommonPrograms, "c:\\all\\programs");
    EXPECT_EQ(p.UserPrograms, "c:\\me\\programs");
    EXPECT_EQ(p.AppData, "c:\\me\\appdata");
    EXPECT_EQ(p.UserStartMenu, "c:\\me\\start menu");
    EXPECT_EQ(p.CommonStartMenu, "c:\\all\\start menu");
    EXPECT_EQ(p.UserStartup, "c:\\me\\startup");
    EXPECT_EQ(p.CommonStartup, "c:\\all\\startup");
}

// A missing folder of all users' is the user's own; a missing one of the user's stays empty.
TEST(FolderPaths, OnlyAllUsersFoldersFallBackToTheUsersOwn) {
    FakeShell mine;
    mine.answers = {{2, "C:\\Me\\Programs"}, {26, "C:\\Me\\AppData"}, {11, "C:\\Me\\Start Menu"}, {7, "C:\\Me\\Startup"}};
    TFolderPaths p = mine.Resolve();
    EXPECT_EQ(p.CommonPrograms, "c:\\me\\programs");
    EXPECT_EQ(p.CommonStartMenu, "c:\\me\\start menu");
    EXPECT_EQ(p.CommonStartup, "c:\\me\\startup");
    FakeShell all;
    all.answers = {{23, "C:\\All\\Programs"}, {22, "C:\\All\\Start Menu"}, {24, "C:\\All\\Startup"}};
    p = all.Resolve();
    EXPECT_EQ(p.UserPrograms, "");
    EXPECT_EQ(p.AppData, "");
    EXPECT_EQ(p.UserStartMenu, "");
    EXPECT_EQ(p.UserStartup, "");
    EXPECT_EQ(p.CommonPrograms, "c:\\all\\programs") << "an existing path is not replaced";
    EXPECT_EQ(p.CommonStartMenu, "c:\\all\\start menu");
}
