#include "win/CatalogueFixture.h"

#include <algorithm>
#include <map>
#include <set>

#include "catalogue/BackupRule.h"
#include "catalogue/IconCache.h"
#include "catalogue/SetupTime.h"
#include "platform/IniFile.h"
#include "support/Pixels.h"
#include "platform/Log.h"
#include "platform/ProgramFolder.h"
#include "platform/UiTexts.h"

using Catalogue = CatalogueTree;

TEST_F(Catalogue, ScanListsHiddenFilesMergesTwinsAndSkipsStartupAndPrograms) {
    Program(paths.CommonPrograms, "Editor.lnk");
    WriteWholeFile(paths.CommonPrograms + "\\Setup.log", "x");
    SetFileAttributesA((paths.CommonPrograms + "\\Setup.log").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteWholeFile(paths.CommonPrograms + "\\Desktop.ini", "x");
    WriteWholeFile(paths.UserPrograms + "\\desktop.ini", "x");
    ForceDirectories(paths.CommonPrograms + "\\Games");
    ForceDirectories(paths.UserPrograms + "\\GAMES");
    Program(paths.UserStartMenu, "Quick.lnk");
    model->Catalogue.GetItems();
    model->Catalogue.SortItems();
    EXPECT_EQ(model->Catalogue.ProgramNames().Names(), (std::vector<std::string>{"Editor.lnk", "Games", "Setup.log"}));
    EXPECT_EQ(model->Catalogue.QuickNames().Names(), (std::vector<std::string>{"Quick.lnk"}));
}

TEST_F(Catalogue, FirstFillOfTwelveProgramsRunsRowMajorWithoutStamps) {
    const char* names[] = {"A.lnk", "B.lnk", "C.lnk", "D.lnk", "E.lnk", "F.lnk",
                           "G.lnk", "H.lnk", "I.lnk", "J.lnk", "K.lnk", "L.lnk"};
    for (const char* n : names) Program(paths.CommonPrograms, n);
    model->Rebuild(nullptr);
    int slots[] = {1, 2, 3, 10, 11, 12, 4, 5, 6, 13, 14, 15};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Value("Files", slots[i]), paths.CommonPrograms + "\\" + names[i]) << names[i];
    EXPECT_EQ(Tab().find("SetupTime"), std::string::npos);
    EXPECT_EQ(model->Layout.Geometry().Columns, 6);
    EXPECT_EQ(model->Catalogue.FolderList().size(), 12u);
    EXPECT_EQ(model->Catalogue.FolderList()[3].Caption, "D");
    EXPECT_EQ(model->Catalogue.FolderList()[3].CellX, model->Layout.Geometry().LeftMargin + 3 * model->Layout.Geometry().CellWidth + 7);
    EXPECT_EQ(model->Catalogue.FolderList()[3].CellY, 34);
    EXPECT_EQ(model->Catalogue.FolderList()[3].Recency, 0);
}

TEST_F(Catalogue, PathChoiceBetweenTheTwoRoots) {
    Program(paths.CommonPrograms, "Both.lnk");
    Program(paths.UserPrograms, "Both.lnk");
    ForceDirectories(paths.CommonPrograms + "\\Accessories");
    ForceDirectories(paths.UserPrograms + "\\Accessories");
    Program(paths.UserPrograms, "Mine.lnk");
    Program(paths.CommonPrograms + "\\Archiver", "Archiver.lnk");
    Program(paths.UserPrograms + "\\Tools", "Tool.lnk");  // a single program of the user's only
    model->Rebuild(nullptr);
    EXPECT_EQ(Value("GoodFolders", 5), paths.UserPrograms + "\\Tools");
    EXPECT_EQ(Value("Folders", 1), paths.UserPrograms + "\\Accessories");
    EXPECT_EQ(Value("GoodFolders", 2), paths.CommonPrograms + "\\Archiver");
    EXPECT_EQ(Value("Files", 3), paths.CommonPrograms + "\\Both.lnk");
    EXPECT_EQ(Value("Files", 4), paths.UserPrograms + "\\Mine.lnk");

    const TFolder* archiver = nullptr;
    for (const TFolder& f : model->Catalogue.FolderList())
        if (f.Caption == "Archiver") archiver = &f;
    ASSERT_NE(archiver, nullptr);
    EXPECT_EQ(archiver->FullName, paths.CommonPrograms + "\\Archiver\\Archiver.lnk");
    EXPECT_TRUE(archiver->IsFolder);
    EXPECT_EQ(archiver->FolderType, ekSingleFolder);
}

TEST_F(Catalogue, NewProgramIsStampedAndMovingItBetweenRootsMakesANewEntry) {
    for (const char* n : {"A.lnk", "B.lnk", "C.lnk"}) Program(paths.CommonPrograms, n);
    model->Rebuild(nullptr);
    Program(paths.CommonPrograms, "New.lnk");
    model->Rebuild(nullptr);
    EXPECT_EQ(Value("Files", 4), paths.CommonPrograms + "\\New.lnk");
    std::string stamp = Value("SetupTime", 4);
    ASSERT_EQ(stamp.size(), 19u) << stamp;
    EXPECT_EQ(model->Catalogue.FolderList().back().Recency, 10);
    // Ten on the day of the stamp, one less a day: stamps written 3 and 12 days ago.
    for (int days : {3, 12}) {
        FILETIME now, then;
        SYSTEMTIME local;
        GetSystemTimeAsFileTime(&now);
        ULONGLONG t = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime) -
                      static_cast<ULONGLONG>(days) * 864000000000ULL;
        then.dwLowDateTime = static_cast<DWORD>(t);
        then.dwHighDateTime = static_cast<DWORD>(t >> 32);
        FILETIME localThen;
        FileTimeToLocalFileTime(&then, &localThen);
        FileTimeToSystemTime(&localThen, &local);
        std::string old = FormatSetupTime({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond}, ':');
        TabFile().WriteString("SetupTime", "4", old);
        model->Rebuild(nullptr);
        EXPECT_EQ(model->Catalogue.FolderList().back().Recency, days == 3 ? 7 : 0) << old;
    }
    TabFile().WriteString("SetupTime", "4", "2009:02:30 10:00:00");
    model->Rebuild(nullptr);
    EXPECT_EQ(model->Catalogue.FolderList().back().Recency, 10) << "an impossible date counts as now";

    MoveFileA((paths.CommonPrograms + "\\B.lnk").c_str(), (paths.UserPrograms + "\\B.lnk").c_str());
    model->Rebuild(nullptr);
    EXPECT_EQ(Value("Files", 2), "") << "its slot is freed";
    EXPECT_EQ(Value("Files", 5), paths.UserPrograms + "\\B.lnk") << "three holes or fewer: after the last";
    EXPECT_NE(Value("SetupTime", 5), "");
    EXPECT_EQ(model->Layout.Geometry().ItemCount, 5);
    // Four holes before B: a new program takes the first of them.
    for (const char* n : {"A.lnk", "C.lnk", "New.lnk"}) DeleteFileA((paths.CommonPrograms + "\\" + n).c_str());
    model->Rebuild(nullptr);
    Program(paths.CommonPrograms, "Z.lnk");
    model->Rebuild(nullptr);
    EXPECT_EQ(Value("Files", 1), paths.CommonPrograms + "\\Z.lnk") << "four holes or more: the first hole";
    EXPECT_EQ(model->Layout.Geometry().ItemCount, 5);
}

// After a rebuild the panel shows the new entries, not cells kept from the old ones: its frame is
// the frame of a painter that never painted before.
TEST_F(Catalogue, ARebuildShowsTheNewEntriesNotCellsKeptFromTheOld) {
    for (const char* n : {"A.lnk", "B.lnk"}) Program(paths.CommonPrograms, n);
    model->Painter.PrepareColors();
    model->Rebuild(nullptr);
    ClientSize size = ComputeClientSize(model->Layout.Geometry());
    auto pixels = [&](PanelPainter& painter) {
        OffscreenBitmap frame(nullptr, size.width, size.height);
        painter.PaintFrame(frame.Dc(), size.width, size.height);
        return Pixels(frame, size.width, size.height);
    };
    pixels(model->Painter);
    DeleteFileA((paths.CommonPrograms + "\\A.lnk").c_str());
    Program(paths.CommonPrograms, "C.lnk");
    model->Rebuild(nullptr);
    ASSERT_EQ(ComputeClientSize(model->Layout.Geometry()).width, size.width);
    unsigned version = 0;
    PanelPainter fresh(model->Catalogue.FolderList(), version, model->Layout.Geometry(), model->View);
    fresh.Colours = model->Painter.Colours;
    EXPECT_TRUE(pixels(model->Painter) == pixels(fresh));
}

// A rebuild cut short after its reconciliation leaves no look at the files behind for the next.
TEST_F(Catalogue, ARebuildCutShortLeavesNothingStaleForTheNext) {
    std::string common = Program(paths.CommonPrograms, "Moved.lnk");
    Program(paths.CommonPrograms, "Stays.lnk");
    model->Rebuild(nullptr);
    ASSERT_FALSE(SlotKeyOf(Tab(), common).empty());
    int items = model->Layout.Geometry().ItemCount, quick = model->Layout.Geometry().QuickCount;
    SeenAttributes seen;
    model->Catalogue.ProcessItems(model->Layout.Geometry().Columns, items, quick, seen);  // no entry list after it
    std::string user = paths.UserPrograms + "\\Moved.lnk";
    ASSERT_TRUE(MoveFileA(common.c_str(), user.c_str()));
    model->Rebuild(nullptr);
    EXPECT_TRUE(SlotKeyOf(Tab(), common).empty()) << "the shortcut is seen as gone from all users'";
    EXPECT_FALSE(SlotKeyOf(Tab(), user).empty()) << "and found in the user's folder";
}

TEST_F(Catalogue, HandEditedKeysMoveTheEntryOrAreCutToTheFirstAndSlotsSurviveARestart) {
    for (const char* n : {"A.lnk", "B.lnk"}) Program(paths.CommonPrograms, n);
    model->Rebuild(nullptr);
    TabFile().DeleteKey("Files", "2");
    TabFile().WriteString("Files", "17", paths.CommonPrograms + "\\B.lnk");
    NewModel();
    model->Rebuild(nullptr);
    EXPECT_EQ(Value("Files", 17), paths.CommonPrograms + "\\B.lnk");
    EXPECT_EQ(Value("Files", 2), "");
    Point expected = MainCellOrigin(model->Layout.Geometry(), 17);
    EXPECT_EQ(model->Catalogue.FolderList()[1].CellX, expected.x);
    EXPECT_EQ(model->Catalogue.FolderList()[1].CellY, expected.y);
    EXPECT_EQ(model->Layout.Geometry().ItemCount, 17);

    // A name listed twice, across sections or in other capitals: cut to the first.
    WriteWholeFile(paths.AppData + "\\tab1.ini",
                   "[Folders]\r\n2=" + paths.CommonPrograms + "\\A.lnk\r\n[Files]\r\n1=" + paths.CommonPrograms +
                       "\\A.lnk\r\n3=" + paths.CommonPrograms + "\\a.LNK\r\n4=" + paths.CommonPrograms + "\\B.lnk\r\n");
    model->Rebuild(nullptr);
    EXPECT_EQ(Value("Files", 1), paths.CommonPrograms + "\\A.lnk");
    EXPECT_EQ(Value("Files", 3), "");
    EXPECT_EQ(Value("Folders", 2), "");
    EXPECT_EQ(model->Catalogue.FolderList().size(), 2u);
}

// Icons are kept from one rebuild to the next, yet a shortcut made anew, or whose target changed,
// shows the icon the shell gives it now.
TEST_F(Catalogue, KeptIconsFollowAReplacedShortcutAndAChangedTarget) {
    std::string other = Program(paths.CommonPrograms, "Other.lnk");
    auto shown = [&](const std::string& caption) {
        for (const TFolder& f : model->Catalogue.FolderList())
            if (f.Caption == caption) return f.IconIndex;
        return -1;
    };
    auto now = [](const std::string& path) {
        SHFILEINFOA info = {};
        SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
        return info.iIcon;
    };
    model->Rebuild(nullptr);
    int before = shown("Other");
    EXPECT_EQ(before, now(other));
    // Made anew at the same path, with an icon of its own.
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    DeleteFileA(other.c_str());
    ASSERT_TRUE(MakeShortcut(other, base + "\\bin\\Other.exe", "", "", true, std::string(system) + "\\shell32.dll", 3));
    model->Rebuild(nullptr);
    EXPECT_EQ(shown("Other"), now(other));
    EXPECT_NE(shown("Other"), before) << "not the kept icon";
    // A shortcut's icon is its target's (where it stores none): a target rewritten is another key.
    std::string link = Program(paths.CommonPrograms, "Tool.lnk");
    IconIndexCache kept;  // reads a shortcut again only when it changed
    std::string key = kept.KeyOf(link);
    EXPECT_EQ(key, IconKeyOf(link));
    WriteWholeFile(base + "\\bin\\Tool.exe", "MZ and more");
    EXPECT_NE(kept.KeyOf(link), key);
    EXPECT_EQ(kept.KeyOf(link), IconKeyOf(link));
    key = kept.KeyOf(link);
    DeleteFileA(link.c_str());
    ASSERT_TRUE(MakeShortcut(link, base + "\\bin\\Other.exe"));  // the shortcut itself now names another
    EXPECT_NE(kept.KeyOf(link), key);
    EXPECT_EQ(kept.KeyOf(link), IconKeyOf(link));
}

// A submenu's icons are asked for as its items are drawn, each once, and are the shell's own.
TEST_F(Catalogue, SubmenuIconsAreAskedWhenDrawnOnceEachAndAreTheShells) {
    std::string common = paths.CommonPrograms + "\\Tools", user = paths.UserPrograms + "\\Tools";
    ASSERT_TRUE(ForceDirectories(common + "\\More tools of every kind") && ForceDirectories(user));
    Program(common + "\\More tools of every kind", "Deep.lnk");
    Program(common, "Tool.lnk");
    Program(user, "Mine.lnk");
    WriteWholeFile(common + "\\Readme.txt", "text");
    TFolderMenu& menus = model->Submenus;
    menus.FillMenu("Tools", model->Catalogue.DesktopFolder());
    ASSERT_TRUE(menus.FolderMenu);
    EXPECT_EQ(menus.IconsAsked(), 0u) << "nothing asked before the menu is drawn";
    HMENU top = menus.FolderMenu.Get();
    ASSERT_EQ(GetMenuItemCount(top), 4);
    std::set<int> distinct;
    for (UINT i = 0; i < 4; ++i) {
        MENUITEMINFOA mi = {};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_DATA | MIIM_ID | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(top, i, TRUE, &mi));
        std::string path = mi.hSubMenu ? common + "\\More tools of every kind" : menus.FolderMenuPaths.at(mi.wID - 1);
        SHFILEINFOA info = {};
        SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        distinct.insert(info.iIcon);
        EXPECT_EQ(menus.MenuIconIndex(mi.dwItemData), info.iIcon) << path;
        EXPECT_EQ(menus.MenuIconIndex(mi.dwItemData), info.iIcon) << path << ", drawn again";
    }
    EXPECT_GE(distinct.size(), 2u) << "the items must show different icons for the check to mean anything";
    EXPECT_EQ(menus.IconsAsked(), 4u) << "the folder's own item not yet drawn is not asked";
    EXPECT_EQ(menus.MenuIconIndex(99), -1) << "data that is not ours draws nothing";
    // Its width is its widest caption's, the first one's here.
    int width = menus.MenuTextWidth(top);
    UniqueMenu first(GetSubMenu(top, 0));
    RemoveMenu(top, 0, MF_BYPOSITION);
    EXPECT_GT(width, menus.MenuTextWidth(top));
    menus.FillMenu("Tools", model->Catalogue.DesktopFolder());
    EXPECT_EQ(menus.IconsAsked(), 0u) << "a menu made anew asks anew";
}

namespace {
int g_logFailuresShown = 0;
void CountLogFailure(const std::exception&) { ++g_logFailuresShown; }
}  // namespace

// Whether or not the log takes its lines, what they report on is all there.
TEST_F(Catalogue, MissingTargetsAndCutSubmenusAreLoggedAndKeptWhetherOrNotTheLogCanBeWritten) {
    std::string saved = ProgramFolder;
    Program(paths.CommonPrograms, "Here.lnk");
    std::string deep = paths.CommonPrograms + "\\Deep";
    for (int i = 0; i < 20; ++i) deep += "\\D";  // deeper than a submenu goes
    ASSERT_TRUE(ForceDirectories(deep));
    Program(deep, "Bottom.lnk");
    model->Rebuild(nullptr);
    TabFile().WriteString("Files", "3", paths.CommonPrograms + "\\Gone.lnk");
    for (bool logWritable : {true, false}) {
        SCOPED_TRACE(logWritable ? "log written" : "log refused");
        ProgramFolder = logWritable ? paths.AppData + "\\" : paths.AppData + "\\missing\\";
        SetLogFailureDisplay(CountLogFailure);
        g_logFailuresShown = 0;
        SeenAttributes seen;
        model->Catalogue.FillItems(seen);
        model->Submenus.FillMenu("Deep", model->Catalogue.DesktopFolder());
        SetLogFailureDisplay(nullptr);
        ProgramFolder = saved;
        const auto& list = model->Catalogue.FolderList();
        ASSERT_EQ(list.size(), 3u);
        auto gone = std::find_if(list.begin(), list.end(), [](const TFolder& f) { return f.Caption == "Gone"; });
        ASSERT_NE(gone, list.end());
        EXPECT_EQ(gone->IconIndex, 0);
        ASSERT_TRUE(model->Submenus.FolderMenu) << "the submenu is built, cut at its depth";
        EXPECT_EQ(GetMenuItemCount(model->Submenus.FolderMenu.Get()), 1);
        EXPECT_EQ(g_logFailuresShown, logWritable ? 0 : 1);
    }
    std::string log = ReadWholeFile(paths.AppData + "\\log.txt");
    EXPECT_NE(log.find("FullName=" + paths.CommonPrograms + "\\Gone.lnk;Caption=Gone;Path=" + paths.CommonPrograms +
                       "\\Gone.lnk;FolderType=0;num=3;ind0\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("FillMenu: the folder tree is too deep or too large; the menu is cut short\r\n"),
              std::string::npos)
        << log;
}

TEST_F(Catalogue, QuickAreaAndLayoutFile) {
    Program(paths.CommonPrograms, "A.lnk");
    for (const char* n : {"Q1.lnk", "Q2.lnk", "Q3.lnk", "Q4.lnk"}) Program(paths.UserStartMenu, n);
    Program(paths.CommonStartMenu, "Q0.lnk");
    model->Rebuild(nullptr);
    EXPECT_EQ(QuickTabFile().ReadString("Files", "1", ""), paths.CommonStartMenu + "\\Q0.lnk");
    EXPECT_EQ(QuickTabFile().ReadString("Files", "5", ""), paths.UserStartMenu + "\\Q4.lnk");
    EXPECT_EQ(Quick().find("programs"), std::string::npos) << "the Programs folder is no quick entry";
    EXPECT_EQ(ReadWholeFile(paths.AppData + "\\Main.ini"),
              "[Resolution]\r\nCount=1\r\nWidth=3\r\nHeight=3\r\nquickeCount=5\r\nquickeHeight=2\r\n[Tabs]\r\n1=None\r\n");
    EXPECT_EQ(model->Layout.Geometry().GridTop, 2 * model->Layout.Geometry().CellHeight + 41);
    const TFolder& q4 = model->Catalogue.FolderList().back();
    EXPECT_EQ(q4.FolderType, ekQuickFile);
    EXPECT_EQ(q4.CellX, model->Layout.Geometry().LeftMargin + model->Layout.Geometry().CellWidth);
    EXPECT_EQ(q4.CellY, model->Layout.Geometry().CellHeight + 34);
}

// No entry at all leaves no grid to size the panel by: the layout logs the error text the start
// gave it, and the panel keeps its size.
TEST_F(Catalogue, AnEmptyStartMenuLogsTheScreenSizeError) {
    TranslateUiTexts();
    model->Rebuild(nullptr);
    EXPECT_NE(ReadWholeFile(paths.AppData + "\\log.txt").find("MainIniReadError setting screen size!"),
              std::string::npos);
}

TEST_F(Catalogue, MoreThan324EntriesAllKeepTheirPlace) {
    ForceDirectories(paths.CommonPrograms);
    for (int i = 0; i < 330; ++i) WriteWholeFile(paths.CommonPrograms + "\\f" + std::to_string(1000 + i) + ".txt", "");
    model->Rebuild(nullptr);
    EXPECT_EQ(TabFile().ReadSection("Files").size(), 330u);
    EXPECT_EQ(model->Catalogue.FolderList().size(), 330u);
    EXPECT_GE(model->Layout.Geometry().Columns, 21);
    std::set<std::pair<int, int>> cells;
    for (const TFolder& f : model->Catalogue.FolderList()) cells.insert({f.CellX, f.CellY});
    EXPECT_EQ(cells.size(), 330u) << "every entry has a cell of its own";
}

// The user's locale orders the names, not their bytes: an accented capital sorts with its letter.
TEST(NameOrder, TheLocaleOrdersNamesNotTheirBytes) {
    TNameList names{CompareNamesInLocale};
    for (const char* n : {"Zebra", "\xC9" "clair", "apple", "Fa", "eagle"}) names.Add(n);
    names.Sort();
    std::vector<std::string> sorted;
    for (int i = 0; i < names.Count(); ++i) sorted.push_back(names[i]);
    EXPECT_EQ(sorted, (std::vector<std::string>{"apple", "eagle", "\xC9" "clair", "Fa", "Zebra"}));
    EXPECT_EQ(CompareNamesInLocale("NOTES", "notes"), 0) << "case does not count";
}

// A root that is away for one start (a redirected folder off the network) is not taken for
// programs removed: its entries keep slots, stamps and kinds, the backup keeps them, and once the
// root is back nothing has moved. A root of few entries that is gone is a removal as before.
TEST_F(Catalogue, ARootAwayForOneStartLosesNoSlotNoStampAndTheBackupKeepsItsEntries) {
    for (int i = 0; i < 6; ++i) Program(paths.UserPrograms, "Mine " + std::to_string(i) + ".lnk");
    ASSERT_TRUE(ForceDirectories(paths.UserPrograms + "\\Tools"));
    Program(paths.UserPrograms + "\\Tools", "Tool.lnk");
    for (const char* n : {"A.lnk", "B.lnk"}) Program(paths.CommonPrograms, n);
    model->Rebuild(nullptr);
    // Lived in: holes made and filled later by stamped programs of both roots.
    for (int i : {1, 3, 4, 5}) DeleteFileA((paths.UserPrograms + "\\Mine " + std::to_string(i) + ".lnk").c_str());
    model->Rebuild(nullptr);
    for (const char* n : {"Later 1.lnk", "Later 2.lnk", "Later 3.lnk"}) Program(paths.UserPrograms, n);
    Program(paths.CommonPrograms, "Later 4.lnk");
    model->Rebuild(nullptr);
    std::string lived = Tab();
    ASSERT_NE(lived.find("[SetupTime]"), std::string::npos) << lived;
    size_t shown = model->Catalogue.FolderList().size();
    ASSERT_EQ(shown, 9u);

    std::string away = base + "\\programs away";  // outside the Start Menu, whose scan would list it
    ASSERT_TRUE(MoveFileA(paths.UserPrograms.c_str(), away.c_str()));
    NewModel();  // a start while it is away
    model->Rebuild(nullptr);
    EXPECT_EQ(Tab(), lived) << "every entry, slot and stamp kept";
    EXPECT_EQ(CatalogueEntryLines(ReadWholeFile(paths.AppData + "\\tab1.ini.bak")), CatalogueEntryLines(lived));
    EXPECT_EQ(model->Catalogue.FolderList().size(), shown) << "and shown";
    std::string log = ReadWholeFile(paths.AppData + "\\log.txt");
    EXPECT_NE(log.find("ProcessItems" + paths.UserPrograms + " cannot be read now; its 6 entries are kept as they were"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("FullName=" + paths.UserPrograms), std::string::npos) << "told once, by the root: " << log;
    ASSERT_TRUE(MoveFileA(away.c_str(), paths.UserPrograms.c_str()));
    NewModel();
    model->Rebuild(nullptr);
    EXPECT_EQ(Tab(), lived) << "nothing moved once it is back";

    // Two entries are few: their root gone is their removal.
    for (int i : {0, 2}) DeleteFileA((paths.UserPrograms + "\\Mine " + std::to_string(i) + ".lnk").c_str());
    for (const char* n : {"Later 1.lnk", "Later 2.lnk", "Later 3.lnk"}) DeleteFileA((paths.UserPrograms + "\\" + n).c_str());
    model->Rebuild(nullptr);
    ASSERT_EQ(model->Catalogue.FolderList().size(), 4u);
    ASSERT_TRUE(MoveFileA(paths.UserPrograms.c_str(), away.c_str()));
    model->Rebuild(nullptr);
    EXPECT_EQ(model->Catalogue.FolderList().size(), 3u) << "Tools went with its root";
    MoveFileA(away.c_str(), paths.UserPrograms.c_str());
}

namespace {

// A desktop.ini as Windows writes them: UTF-16 with its byte-order mark.
void WriteDesktopIni(const std::string& folder, const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    WriteWholeFile(folder + "\\desktop.ini", bytes);
}

// A string of the shell's own table that the menu shows as it is, and its id.
int ShellString(std::wstring& text) {
    HMODULE shell = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    for (int id = 1; shell && id < 40000; ++id) {
        wchar_t buffer[512] = {};
        int n = LoadStringW(shell, static_cast<UINT>(id), buffer, 512);
        text.assign(buffer, static_cast<size_t>(n > 0 ? n : 0));
        if (text.size() > 3 && text.find_first_of(L"&\t%") == std::wstring::npos) return id;
    }
    return 0;
}

std::wstring MenuTextAt(HMENU menu, UINT position) {
    std::wstring text;
    return MenuItemText(menu, position, text) ? text : L"(none)";
}

}  // namespace

// Since Vista the stock items keep English file names and Explorer shows localized ones from
// desktop.ini; the panel and the submenus show those, while the catalogue, the order and every
// slot keep going by the file names.
TEST_F(Catalogue, LocalizedNamesAreShownWhileSlotsAndOrderKeepTheFileNames) {
    std::wstring shellText;
    int id = ShellString(shellText);
    ASSERT_GT(id, 0) << "a string of shell32's table";
    std::string accessories = paths.CommonPrograms + "\\Accessories";
    ASSERT_TRUE(ForceDirectories(accessories) && ForceDirectories(paths.UserPrograms + "\\Accessories"));
    Program(paths.CommonPrograms, "Notepad.lnk");
    Program(paths.CommonPrograms, "Paint.lnk");
    Program(accessories, "Calc.lnk");
    Program(accessories, "Other.lnk");
    Program(paths.UserPrograms + "\\Accessories", "Mine.lnk");
    model->Rebuild(nullptr);
    const std::string before = Tab();

    WriteDesktopIni(paths.CommonPrograms, L"[LocalizedFileNames]\r\nNotepad.lnk= Editor \t\r\n");
    WriteDesktopIni(accessories, L"[.ShellClassInfo]\r\nLocalizedResourceName=Zubeh\u00F6r\r\n"
                                 L"[LocalizedFileNames]\r\nOther.lnk=Anderes\r\ncalc.LNK=@%SystemRoot%\\system32\\shell32.dll,-" +
                                     std::to_wstring(id) + L"\r\n");
    model->Rebuild(nullptr);
    EXPECT_EQ(Tab(), before) << "no slot moved, nothing was renamed in the catalogue";
    std::map<std::string, std::wstring> shown;
    for (const TFolder& f : model->Catalogue.FolderList()) shown[f.Caption] = f.WideCaption;
    EXPECT_EQ(shown.at("Notepad"), L"Editor") << "its folder's [LocalizedFileNames]";
    EXPECT_EQ(shown.at("Accessories"), L"Zubeh\u00F6r") << "the folder's own name, whichever root it is stored under";
    EXPECT_EQ(shown.at("Paint"), L"") << "no localized name: the caption as it was";

    TFolderMenu& menus = model->Submenus;
    menus.FillMenu("Accessories", model->Catalogue.DesktopFolder());
    ASSERT_TRUE(menus.FolderMenu);
    HMENU top = menus.FolderMenu.Get();
    ASSERT_EQ(GetMenuItemCount(top), 3);
    // Still in the order of the file names: Calc, Mine, Other.
    EXPECT_EQ(MenuTextAt(top, 0), shellText) << "\"@module,-id\" loaded from the shell's table, case aside";
    EXPECT_EQ(MenuTextAt(top, 1), L"Mine");
    EXPECT_EQ(MenuTextAt(top, 2), L"Anderes");
    UINT chosen = GetMenuItemID(top, 0);
    ASSERT_GE(chosen, 1u);
    EXPECT_EQ(menus.FolderMenuPaths.at(chosen - 1), accessories + "\\Calc.lnk") << "and it starts the file";
}
