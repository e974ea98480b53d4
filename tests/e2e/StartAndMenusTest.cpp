// Starting programs from the panel and its folder submenus, and the shell's context menu.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <memory>

#include "panel/Geometry.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/CatalogueSetup.h"
#include "support/Input.h"
#include "support/Program.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

namespace {

class StartAndMenus : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ForgetEverything();
        user = SpecialFolder(CSIDL_PROGRAMS);
        common = SpecialFolder(CSIDL_COMMON_PROGRAMS);
        recorder = ThisFolder() + "\\recorder.exe";
        record = ThisFolder() + "\\recorded.txt";
        DeleteFileA(record.c_str());
        made = {common + "\\Record.lnk", user + "\\Other.lnk", user + "\\Tools\\First.lnk",
                common + "\\Tools\\Second.lnk", common + "\\Tools\\Deep\\Third.lnk", user + "\\Games\\A.lnk",
                user + "\\Games\\B.lnk"};
        const char* args[] = {"one two", "other", "first", "second", "third", "a", "b"};
        // Record's working folder names a variable, as stock shortcuts do; the program inherits it.
        SetEnvironmentVariableA("KESTROLA_TEST_WORK", work.Path().c_str());
        for (size_t i = 0; i < made.size(); ++i)
            ASSERT_TRUE(MakeShortcut(made[i], recorder, args[i], i == 0 ? "%KESTROLA_TEST_WORK%" : work.Path(), false))
                << made[i];
        // A program of the system folder, as the stock shortcuts of 64-bit Windows point to.
        char system[MAX_PATH] = {};
        GetSystemDirectoryA(system, MAX_PATH);
        systemProgram = std::string(system) + "\\kestrola-recorder.exe";
        ASSERT_TRUE(CopyFileA(recorder.c_str(), systemProgram.c_str(), FALSE)) << systemProgram;
        made.push_back(common + "\\System.lnk");
        ASSERT_TRUE(MakeShortcut(made.back(), systemProgram, "native", work.Path(), false));
        // A name outside the code page: known to the program by its short alias only.
        std::string plain = common + "\\Foreign.lnk";
        ASSERT_TRUE(MakeShortcut(plain, recorder, "foreign", work.Path(), false));
        foreign = ToWide(common) + L"\\\x4E2D\x6587.lnk";
        ASSERT_TRUE(MoveFileW(ToWide(plain).c_str(), foreign.c_str()));
        kestrola = std::make_unique<Program>("", "", Exe());  // after the shortcuts, so its first scan sees them
        window = kestrola->WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return Slot(common + "\\Record.lnk") > 0; })) << "catalogue written";
        // A pointer left over a cell by the last case would show a hand before any move of this one.
        MoveTo({0, 0});
        PostToAll("KestrolaShowOldInstanceMenu");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }));
        RECT r = ScreenRect(window);
        ASSERT_FALSE(PtInRect(&r, POINT{0, 0})) << "the pointer parked off the panel";
    }
    void TearDown() override {
        if (OpenMenuWindow()) {
            Key(VK_ESCAPE);
            WaitUntil([] { return OpenMenuWindow() == nullptr; }, 3000);
        }
        for (const std::string& f : made) DeleteFileA(f.c_str());
        DeleteFileW(foreign.c_str());
        RemoveDirectoryA((common + "\\Tools\\Deep").c_str());
        RemoveDirectoryA((common + "\\Tools").c_str());
        RemoveDirectoryA((user + "\\Tools").c_str());
        RemoveDirectoryA((user + "\\Games").c_str());
        DeleteFileA(record.c_str());
        kestrola.reset();
        DeleteFileA(systemProgram.c_str());
        DeleteFileA((FolderOf(systemProgram) + "recorded.txt").c_str());
        ForgetEverything();
        CoUninitialize();
    }

    // The program to start: the one beside the tests, whose folder takes the log.
    virtual std::string Exe() { return ProgramPath(); }

    // The entry's slot from the catalogue file, or 0.
    static int Slot(const std::string& path) {
        return std::atoi(SlotKeyOf(ReadWholeFile(AppDataFolder() + "\\Kestrola\\tab1.ini"), path).c_str());
    }
    // Screen point in the middle of the entry's cell.
    POINT CellCentre(const std::string& path) const { return SlotCentre(Slot(path)); }
    POINT SlotCentre(int slot) const {
        PanelGeometry g;
        g.CellWidth = GetSystemMetrics(SM_CXICONSPACING);
        g.CellHeight = GetSystemMetrics(SM_CYICONSPACING);
        g.QuickAreaHeight = static_cast<int>(GetPrivateProfileIntA(
                                "Resolution", "quickeHeight", 0, (AppDataFolder() + "\\Kestrola\\Main.ini").c_str())) *
                            g.CellHeight;
        g.GridTop = ComputeGridTop(g);
        Point cell = MainCellOrigin(g, slot);
        RECT r = ScreenRect(window);
        return {r.left + cell.x + g.CellWidth / 2, r.top + cell.y + g.CellHeight / 2};
    }
    // Each process loads its own copy of a system cursor, so the panel's arrow is learnt over the
    // header (there is no cursor before the first move); a shape must hold for five polls.
    static HCURSOR Shape() {
        CURSORINFO c{};
        c.cbSize = sizeof c;
        return GetCursorInfo(&c) ? c.hCursor : nullptr;
    }
    HCURSOR PanelArrow() const {
        RECT w = ScreenRect(window);
        HCURSOR arrow = nullptr;
        int held = 0;
        EXPECT_TRUE(HoverUntil({w.right - 20, w.top + 5}, [&] {
            HCURSOR now = Shape();
            held = now && now == arrow ? held + 1 : 0;
            arrow = now;
            return held == 4;
        })) << "the header: no entry, the class's arrow";
        return arrow;
    }
    // The hand that the panel shows over a program's cell there, once it shows it: the proof that
    // the pointer reached the cell before a button goes down.
    static HCURSOR HandAt(POINT p, HCURSOR arrow) {
        HCURSOR hand = nullptr;
        EXPECT_TRUE(HoverUntil(p, [&] { return (hand = Shape()) != arrow && hand; })) << "a hand over a program";
        return hand;
    }
    void ClickProgram(POINT p) const {
        HandAt(p, PanelArrow());
        Click(p);
    }
    std::string Recorded() const { return ReadWholeFile(record); }
    bool RecordedSomething() const { return GetFileAttributesA(record.c_str()) != INVALID_FILE_ATTRIBUTES; }

    TempFolder work;
    std::wstring foreign;
    static std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

    std::string user, common, recorder, record, systemProgram;
    std::vector<std::string> made;
    std::unique_ptr<Program> kestrola;
    HWND window = nullptr;
};

}  // namespace

TEST_F(StartAndMenus, ClickingAShortcutStartsItsTargetAndHidesThePanel) {
    ClickProgram(CellCentre(common + "\\Record.lnk"));
    ASSERT_TRUE(WaitUntil([&] { return Recorded().find('\n') != Recorded().rfind('\n'); }, 20000));
    std::string text = Recorded();
    std::string args = text.substr(0, text.find('\n'));
    std::string cwd = text.substr(text.find('\n') + 1);
    cwd = cwd.substr(0, cwd.find('\n'));
    EXPECT_EQ(args, "one two");
    EXPECT_EQ(AnsiLowerFileName(cwd), AnsiLowerFileName(work.Path())) << "the shortcut's working folder, expanded";
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(StartAndMenus, HoveringAFolderOpensItsMergedSubmenuAndAnotherEntryClosesIt) {
    ASSERT_TRUE(HoverUntil(CellCentre(user + "\\Tools"), [] { return OpenMenuWindow() != nullptr; }, 20000))
        << "submenu after the delay";
    EXPECT_TRUE(HoverUntil(CellCentre(user + "\\Other.lnk"), [] { return OpenMenuWindow() == nullptr; }, 5000))
        << "closed by the pointer watch";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(RecordedSomething());
}

TEST_F(StartAndMenus, ChoosingASubmenuFileStartsIt) {
    ASSERT_TRUE(HoverUntil(CellCentre(user + "\\Tools"), [] { return OpenMenuWindow() != nullptr; }, 20000));
    // Deep (folders first), then First from the user's folder (the first file of the merged list),
    // then Second from all users'.
    for (int i = 0; i < 2; ++i) Key(VK_DOWN);
    Key(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return RecordedSomething() && Recorded().find('\n') != Recorded().rfind('\n'); },
                          20000));
    EXPECT_EQ(Recorded().substr(0, Recorded().find('\n')), "first");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
}

TEST_F(StartAndMenus, ClickingAFolderOpensItsSubmenuAtOnceAndAnExitRequestEndsTheProgramWhileItIsOpen) {
    Click(CellCentre(user + "\\Tools"));
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }, 20000));
    RECT menu = ScreenRect(OpenMenuWindow());
    const LONG toolsHeight = menu.bottom - menu.top;
    EXPECT_GT(menu.left, CellCentre(user + "\\Tools").x) << "beside the entry";
    if (const char* hold = std::getenv("KESTROLA_HOLD_MS")) Sleep(static_cast<DWORD>(atoi(hold)));  // screenshots
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }));
    EXPECT_FALSE(RecordedSomething());
    EXPECT_TRUE(IsWindowVisible(window));
    // Hovered (a click can land where the pointer was), the next folder's menu is its own.
    ASSERT_TRUE(HoverUntil(CellCentre(user + "\\Games"), [] { return OpenMenuWindow() != nullptr; }, 20000));
    GetWindowRect(OpenMenuWindow(), &menu);
    EXPECT_LT(menu.bottom - menu.top, toolsHeight) << "this folder's two items, not the last menu's three";
    PostToAll("WM_ProgramExit_Kestrola");  // as "Kestrola.exe exit" does
    EXPECT_EQ(kestrola->WaitForExit(10000), 0u) << "not held by the submenu's loop";
}

TEST_F(StartAndMenus, RightClickShowsTheShellMenuAndEscapeRunsNothing) {
    Click(CellCentre(common + "\\Record.lnk"), true);
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }, 20000)) << "the shell's context menu";
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }));
    EXPECT_FALSE(WaitUntil([&] { return RecordedSomething(); }, 1500));
    EXPECT_TRUE(IsWindowVisible(window)) << "closing the menu leaves the panel";
}

TEST_F(StartAndMenus, PointerIsAHandOverProgramsAndTheSystemsOwnOverFolders) {
    HCURSOR arrow = PanelArrow(), hand = HandAt(CellCentre(common + "\\Record.lnk"), arrow);
    EXPECT_TRUE(HoverUntil(CellCentre(user + "\\Tools"), [&] { return Shape() == arrow; }))
        << "the hand stays over a folder";
    ASSERT_TRUE(HoverUntil(CellCentre(user + "\\Other.lnk"), [&] { return Shape() == hand; }));
    // Asked for the pointer with no move after it (a window closed under a still pointer): the
    // class's arrow must not undo the hand.
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_FALSE(WaitUntil([&] { return Shape() != hand; }, 500));
}

TEST_F(StartAndMenus, TheContextMenuMessageEndsThePointerWatchOfAHoveredSubmenu) {
    POINT tools = CellCentre(user + "\\Tools");
    ASSERT_TRUE(HoverUntil(tools, [] { return OpenMenuWindow() != nullptr; }, 20000)) << "opened by hovering: watched";
    Key(VK_ESCAPE);  // closed another way: the watch goes on
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }));
    Click(tools, true);
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }, 20000)) << "the shell's context menu";
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }));
    Click(tools);  // opened by a click: not watched
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }, 20000));
    EXPECT_FALSE(HoverUntil(CellCentre(common + "\\Record.lnk"), [] { return OpenMenuWindow() == nullptr; }, 1000))
        << "a watch left running closed the clicked submenu";
}

TEST_F(StartAndMenus, AShortcutToAProgramOfTheSystemFolderStartsIt) {
    // The 64-bit program sees the native system folder as it is; the 32-bit one on 64-bit Windows
    // reaches it through its alias (scripts/smoke32 shows that one).
    std::string systemRecord = FolderOf(systemProgram) + "recorded.txt";
    ClickProgram(CellCentre(common + "\\System.lnk"));
    ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(systemRecord).find('\n') != std::string::npos; }, 20000));
    EXPECT_EQ(ReadWholeFile(systemRecord).substr(0, ReadWholeFile(systemRecord).find('\n')), "native");
    EXPECT_FALSE(RecordedSomething()) << "the program in the system folder, not another";
}

// A copy of the program where neither its folder nor the data folder takes a log line.
class StartAndMenusWithoutLog : public StartAndMenus {
protected:
    std::string Exe() override {
        std::string exe = installed / "Kestrola.exe";
        EXPECT_TRUE(CopyFileA(ProgramPath().c_str(), exe.c_str(), FALSE));
        EXPECT_TRUE(CreateDirectoryA((installed / "log.txt").c_str(), nullptr));
        std::string data = AppDataFolder() + "\\Kestrola";
        EXPECT_TRUE(CreateDirectoryA(data.c_str(), nullptr) && CreateDirectoryA((data + "\\log.txt").c_str(), nullptr));
        // Deeper than a submenu goes: opening it logs that it was cut short.
        std::string deep = user + "\\Tools\\Far";
        for (int i = 0; i < 20; ++i) deep += "\\D";
        EXPECT_TRUE(ForceDirectories(deep));
        return exe;
    }
    void TearDown() override {
        StartAndMenus::TearDown();
        RemoveTree(user + "\\Tools");
    }
    TempFolder installed;
};

TEST_F(StartAndMenusWithoutLog, ASubmenuWhoseLogLineCannotBeWrittenIsShownWhole) {
    Click(CellCentre(user + "\\Tools"));
    // The log's failure is told once; the menu comes when the box is closed.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = WindowOfProcess(kestrola->Id(), "#32770")) != nullptr; }, 20000));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }, 20000)) << "the submenu is built all the same";
    // Deep and Far (folders first), then First and Second: the last item is the one of all users.
    RECT r = ScreenRect(OpenMenuWindow());
    Click({(r.left + r.right) / 2, r.bottom - 8});
    ASSERT_TRUE(WaitUntil([&] { return Recorded().find('\n') != std::string::npos; }, 20000)) << "nothing started";
    EXPECT_EQ(Recorded().substr(0, Recorded().find('\n')), "second");
    PostToAll("KestrolaShowOldInstanceMenu");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    Click(CellCentre(user + "\\Tools"));
    ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }, 20000)) << "and no box the second time";
    EXPECT_EQ(WindowOfProcess(kestrola->Id(), "#32770"), nullptr);
}

TEST_F(StartAndMenus, AProgramNamedOutsideTheCodePageStartsFromItsShortAlias) {
    // Its entry is the one stored under a short alias ("~" in the name).
    std::string tab = ReadWholeFile(AppDataFolder() + "\\Kestrola\\tab1.ini");
    size_t tilde = tab.find('~');
    ASSERT_NE(tilde, std::string::npos) << tab;
    size_t line = tab.rfind('\n', tilde) + 1;
    int slot = std::atoi(tab.substr(line, tab.find('=', line) - line).c_str());
    ASSERT_GT(slot, 0);
    ClickProgram(SlotCentre(slot));
    ASSERT_TRUE(WaitUntil([&] { return Recorded().find('\n') != std::string::npos; }, 20000));
    EXPECT_EQ(Recorded().substr(0, Recorded().find('\n')), "foreign");
}
