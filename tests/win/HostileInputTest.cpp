// Start Menu trees and catalogue files that no installer should make: the rebuild goes on,
// and every entry of a valid catalogue keeps its slot.
#include <algorithm>
#include <random>

#include "CatalogueFixture.h"
#include "app/ProgramFolder.h"

namespace {

class Hostile : public CatalogueTree {
protected:
    bool Shown(const std::string& caption) const {
        return std::any_of(form->FolderList.begin(), form->FolderList.end(),
                           [&](const TFolder& f) { return f.Caption == caption; });
    }
    std::string Slot(const std::string& path) const { return SlotKeyOf(Tab(), path); }
    void LoggedRebuild() {
        std::string saved = ProgramFolder;
        ProgramFolder = paths.AppData + "\\";  // the log of these rebuilds stays in the tree
        form->CalcAll();
        ProgramFolder = saved;
    }
};

std::string Noise(size_t n) {
    std::mt19937 random(42);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random() & 0xFF);
    return s;
}

}  // namespace

TEST_F(Hostile, BrokenShortcutsLongPathsAndForeignNamesLeaveTheRealProgramsShown) {
    std::string p = paths.CommonPrograms;
    std::string real = Program(p, "Real.lnk");
    Program(p, "Caf\xE9.lnk");  // a name of the user's code page
    WriteWholeFile(p + "\\Empty.lnk", "");
    WriteWholeFile(p + "\\Noise.lnk", Noise(4096));
    WriteWholeFile(p + "\\Cut.lnk", ReadWholeFile(real).substr(0, 60));
    // A name outside the code page reaches the ANSI calls as question marks.
    HANDLE wide = CreateFileW((ToWide(p) + L"\\\x4E2D\x6587.lnk").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
    ASSERT_NE(wide, INVALID_HANDLE_VALUE);
    CloseHandle(wide);
    std::string deep = p + "\\Deep";
    while (deep.size() < 220) deep += "\\" + std::string(20, 'd');
    ASSERT_TRUE(ForceDirectories(deep));
    Program(deep, "Far.lnk");
    Program(deep, "Farther.lnk");

    LoggedRebuild();
    EXPECT_TRUE(Shown("Real"));
    EXPECT_TRUE(Shown("Caf\xE9"));
    EXPECT_TRUE(Shown("Deep"));
    form->FillMenu("Deep");
    EXPECT_TRUE(form->FolderMenu);
    EXPECT_EQ(form->FolderMenuPaths.size(), 2u) << "both shortcuts at the end of the long path";
    LoggedRebuild();  // and again over its own catalogue
    EXPECT_TRUE(Shown("Real"));
}

TEST_F(Hostile, FiveThousandItemsInOneFolder) {
    std::string big = paths.CommonPrograms + "\\Big";
    ASSERT_TRUE(ForceDirectories(big));
    Program(big, "Tool.lnk");
    Program(big, "Other.lnk");
    for (int i = 0; i < 5000; ++i) WriteWholeFile(big + "\\item " + std::to_string(i) + ".txt", "");
    LoggedRebuild();
    EXPECT_TRUE(Shown("Big"));
    form->FillMenu("Big");
    ASSERT_TRUE(form->FolderMenu);
    EXPECT_EQ(GetMenuItemCount(form->FolderMenu.Get()), 5002);
}

TEST_F(Hostile, TruncatedBinaryAndHugeCatalogueFilesLoseNoValidEntry) {
    std::vector<std::string> links;
    for (const char* n : {"A.lnk", "B.lnk", "C.lnk"}) links.push_back(Program(paths.CommonPrograms, n));
    form->CalcAll();
    std::vector<std::string> slots;
    for (const std::string& l : links) slots.push_back(Slot(l));
    for (const std::string& s : slots) ASSERT_FALSE(s.empty());
    std::string valid = Tab();

    // Cut inside the last entry: the two before it keep their slots.
    WriteWholeFile(paths.AppData + "\\tab1.ini", valid.substr(0, valid.find("C.lnk") - 3));
    NewForm();
    LoggedRebuild();
    EXPECT_EQ(Slot(links[0]), slots[0]);
    EXPECT_EQ(Slot(links[1]), slots[1]);
    EXPECT_FALSE(Slot(links[2]).empty()) << "the cut entry comes back";

    // A layout file of noise and a catalogue buried in noise.
    form->CalcAll();
    valid = Tab();
    for (size_t i = 0; i < links.size(); ++i) slots[i] = Slot(links[i]);
    WriteWholeFile(paths.AppData + "\\Main.ini", Noise(2000));
    WriteWholeFile(paths.AppData + "\\tab1.ini", valid + Noise(3000) + "\r\n" + std::string(2000000, 'x') + "\r\n");
    NewForm();
    LoggedRebuild();
    for (size_t i = 0; i < links.size(); ++i) EXPECT_EQ(Slot(links[i]), slots[i]) << links[i];
    EXPECT_EQ(form->FolderList.size(), 3u);
    size_t size = Tab().size();
    LoggedRebuild();
    EXPECT_EQ(Tab().size(), size) << "rebuilds over the noise do not make it grow";
}
