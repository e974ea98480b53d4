// Start Menu trees and catalogue files that no installer should make: the rebuild goes on,
// and every entry of a valid catalogue keeps its slot.
#include <algorithm>
#include <functional>
#include <random>

#include "CatalogueFixture.h"
#include "catalogue/BackupRule.h"
#include "platform/ProgramFolder.h"
#include "panel/StartProgram.h"
#include "platform/Handle.h"
#include "support/Program.h"

namespace {

class Hostile : public CatalogueTree {
protected:
    bool Shown(const std::string& caption) const {
        return std::any_of(model->Catalogue.FolderList().begin(), model->Catalogue.FolderList().end(),
                           [&](const TFolder& f) { return f.Caption == caption; });
    }
    std::string Slot(const std::string& path) const { return SlotKeyOf(Tab(), path); }
    std::string LogText() const { return ReadWholeFile(paths.AppData + "\\log.txt"); }
};

std::string Noise(size_t n) {
    std::mt19937 random(42);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random() & 0xFF);
    return s;
}

}  // namespace

TEST_F(Hostile, BrokenShortcutsLongPathsForeignNamesAndHugeFoldersLeaveTheRealProgramsShown) {
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
    std::string big = p + "\\Big";  // five thousand items in one folder
    ASSERT_TRUE(ForceDirectories(big));
    Program(big, "Tool.lnk");
    Program(big, "Other.lnk");
    for (int i = 0; i < 5000; ++i) WriteWholeFile(big + "\\item " + std::to_string(i) + ".txt", "");

    model->Rebuild(nullptr);
    EXPECT_TRUE(Shown("Real"));
    EXPECT_TRUE(Shown("Caf\xE9"));
    EXPECT_TRUE(Shown("Deep") && Shown("Big"));
    model->Submenus.FillMenu("Deep", model->Catalogue.DesktopFolder());
    EXPECT_TRUE(model->Submenus.FolderMenu);
    EXPECT_EQ(model->Submenus.FolderMenuPaths.size(), 2u) << "both shortcuts at the end of the long path";
    model->Submenus.FillMenu("Big", model->Catalogue.DesktopFolder());
    ASSERT_TRUE(model->Submenus.FolderMenu);
    EXPECT_EQ(GetMenuItemCount(model->Submenus.FolderMenu.Get()), 5002);
    model->Rebuild(nullptr);  // and again over its own catalogue
    EXPECT_TRUE(Shown("Real"));
}

TEST_F(Hostile, TruncatedBinaryAndHugeCatalogueFilesLoseNoValidEntry) {
    std::vector<std::string> links;
    for (const char* n : {"A.lnk", "B.lnk", "C.lnk"}) links.push_back(Program(paths.CommonPrograms, n));
    model->Rebuild(nullptr);
    std::vector<std::string> slots;
    for (const std::string& l : links) slots.push_back(Slot(l));
    for (const std::string& s : slots) ASSERT_FALSE(s.empty());
    std::string valid = Tab();

    // Cut inside the last entry: the two before it keep their slots.
    WriteWholeFile(paths.AppData + "\\tab1.ini", valid.substr(0, valid.find("C.lnk") - 3));
    NewModel();
    model->Rebuild(nullptr);
    EXPECT_EQ(Slot(links[0]), slots[0]);
    EXPECT_EQ(Slot(links[1]), slots[1]);
    EXPECT_FALSE(Slot(links[2]).empty()) << "the cut entry comes back";

    // A layout file of noise and a catalogue buried in noise.
    model->Rebuild(nullptr);
    valid = Tab();
    for (size_t i = 0; i < links.size(); ++i) slots[i] = Slot(links[i]);
    WriteWholeFile(paths.AppData + "\\Main.ini", Noise(2000));
    WriteWholeFile(paths.AppData + "\\tab1.ini", valid + Noise(3000) + "\r\n" + std::string(2000000, 'x') + "\r\n");
    NewModel();
    model->Rebuild(nullptr);
    for (size_t i = 0; i < links.size(); ++i) EXPECT_EQ(Slot(links[i]), slots[i]) << links[i];
    EXPECT_EQ(model->Catalogue.FolderList().size(), 3u);
    size_t size = Tab().size();
    model->Rebuild(nullptr);
    EXPECT_EQ(Tab().size(), size) << "rebuilds over the noise do not make it grow";
}

TEST_F(Hostile, AnEmptiedOrDeletedCatalogueComesBackFromItsLastGoodCopy) {
    std::vector<std::string> links;
    for (const char* n : {"A.lnk", "B.lnk", "C.lnk", "D.lnk"}) links.push_back(Program(paths.CommonPrograms, n));
    model->Rebuild(nullptr);
    Program(paths.CommonPrograms, "E.lnk");  // a new program: stamped, and a backup is kept
    links.push_back(paths.CommonPrograms + "\\E.lnk");
    model->Rebuild(nullptr);
    std::string good = Tab();
    ASSERT_NE(good.find("[SetupTime]"), std::string::npos);
    // Each way a file can be lost: cut to nothing, cut to noise without entries, deleted.
    const std::string lost[] = {"", "[Files]\r\n", ""};
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        model->Rebuild(nullptr);  // the backup is now the file as it stands
        if (way == 2)
            DeleteFileA((paths.AppData + "\\tab1.ini").c_str());
        else
            WriteWholeFile(paths.AppData + "\\tab1.ini", lost[way]);
        NewModel();
        model->Rebuild(nullptr);
        EXPECT_EQ(Tab(), good) << "every slot and stamp as before";
        EXPECT_NE(LogText().find("ProcessItemstab1.ini held no entries; its last good copy is used"),
                  std::string::npos);
    }
    // Deleted together with its backup: a first fill, as the user asked for.
    DeleteFileA((paths.AppData + "\\tab1.ini").c_str());
    DeleteFileA((paths.AppData + "\\tab1.ini.bak").c_str());
    NewModel();
    model->Rebuild(nullptr);
    EXPECT_EQ(Tab().find("[SetupTime]"), std::string::npos);
    for (const std::string& l : links) EXPECT_FALSE(Slot(l).empty()) << l;
}

namespace {

// Starts a program of the host's /bin (Wine starts those too); false on Windows itself.
bool RunHost(const std::string& program, const std::string& arguments) {
    std::string cmd = program + " " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(("Z:\\bin\\" + program).c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    // Wine hands out no handle of a host program to wait on; the caller looks for its result.
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    return true;
}

// The host's name of a path under Wine; empty on Windows itself.
std::string UnixPath(const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    char* name = unixName(ToWide(path).c_str());
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

}  // namespace

TEST_F(Hostile, FoldersThatLoopBackAndFoldersThatCannotBeReadLeaveTheRestShown) {
    std::string p = paths.CommonPrograms;
    Program(p, "Real.lnk");
    std::string loop = p + "\\Loop";
    ASSERT_TRUE(ForceDirectories(loop));
    Program(loop, "Inside.lnk");
    Program(loop, "Beside.lnk");
    // A link back to the Programs folder itself, and one that points at itself.
    std::string unixLoop = UnixPath(loop);
    std::string back = "\"" + unixLoop + "/Back\"", self = "\"" + unixLoop + "/Self\"";
    if (unixLoop.empty() || !RunHost("ln", "-s \"" + UnixPath(p) + "\" " + back) || !RunHost("ln", "-s " + self + " " + self) ||
        !WaitUntil([&] { return DirectoryExists(loop + "\\Back"); }))
        GTEST_SKIP() << "no host links can be made here";
    // Taken away by the host too: the tree's removal would follow Back into the Programs folder.
    struct Unlink {
        std::string back, self, loop;
        ~Unlink() {
            RunHost("rm", "-f " + back + " " + self);
            WaitUntil([&] { return !DirectoryExists(loop + "\\Back"); });
        }
    } unlink{back, self, loop};

    // Held open without sharing: nothing else may read the folder or the shortcut meanwhile.
    std::string locked = p + "\\Locked";
    ASSERT_TRUE(ForceDirectories(locked));
    Program(locked, "Hidden.lnk");
    Program(locked, "Other.lnk");
    UniqueHandle lockedFolder(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::string busy = Program(p, "Busy.lnk");
    UniqueHandle busyLink(CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lockedFolder && busyLink);

    model->Rebuild(nullptr);
    EXPECT_TRUE(Shown("Real"));
    EXPECT_TRUE(Shown("Loop"));
    model->Submenus.FillMenu("Loop", model->Catalogue.DesktopFolder());
    ASSERT_TRUE(model->Submenus.FolderMenu);
    // Inside, Beside and the Programs folder once through Back; its own Loop is not walked again.
    EXPECT_LE(model->Submenus.FolderMenuPaths.size(), 8u);
    EXPECT_TRUE(std::any_of(model->Submenus.FolderMenuPaths.begin(), model->Submenus.FolderMenuPaths.end(),
                            [](const std::string& s) { return s.find("Inside.lnk") != std::string::npos; }));
    EXPECT_NE(LogText().find("leads back"), std::string::npos) << LogText();
    model->Submenus.FillMenu("Locked", model->Catalogue.DesktopFolder());
    EXPECT_TRUE(!model->Submenus.FolderMenu || model->Submenus.FolderMenuPaths.empty()) << "a folder that cannot be read lists nothing";

    lockedFolder.Reset();
    busyLink.Reset();
    model->Rebuild(nullptr);
    EXPECT_TRUE(Shown("Busy"));
    EXPECT_TRUE(Shown("Locked"));
    model->Submenus.FillMenu("Locked", model->Catalogue.DesktopFolder());
    ASSERT_TRUE(model->Submenus.FolderMenu);
    EXPECT_EQ(model->Submenus.FolderMenuPaths.size(), 2u) << "readable again, both shortcuts are listed";
}

TEST_F(Hostile, HandEditedCatalogueKeysOfNoSlotAreDroppedAndTheValidOnesKept) {
    std::vector<std::string> links;
    for (const char* n : {"A.lnk", "B.lnk", "C.lnk", "D.lnk", "E.lnk"}) links.push_back(Program(paths.CommonPrograms, n));
    const std::string& p = paths.CommonPrograms;
    WriteWholeFile(paths.AppData + "\\tab1.ini",
                   "garbage line without equals\r\n[Files]\r\n2=" + links[0] + "\r\nx=" + links[1] + "\r\n0=" +
                       links[2] + "\r\n-4=" + links[3] + "\r\n2000000000=" + p + "\\E.lnk\r\n99999999999=" + p +
                       "\\Gone.lnk\r\n5=\r\n=" + p + "\\Nameless.lnk\r\n7\r\n\x01\x02\xff=binary\r\n8=" +
                       std::string(3000, 'x') + "\r\n[SetupTime]\r\n1=20x9:03:15 14:05:33\r\nx=now\r\n");
    model->Rebuild(nullptr);
    std::string first = Tab();
    for (int i = 0; i < 3; ++i) model->Rebuild(nullptr);
    EXPECT_EQ(Tab(), first) << "a rebuild over an unchanged tree writes nothing new";
    EXPECT_EQ(first.find("x="), std::string::npos) << "bad keys are dropped with their stamps: " << first;
    EXPECT_EQ(Slot(links[0]), "2") << "the valid key keeps its slot";
    for (size_t i = 1; i < links.size(); ++i) {
        std::string s = Slot(links[i]);
        ASSERT_FALSE(s.empty()) << links[i] << " is listed again";
        EXPECT_GT(std::atoi(s.c_str()), 0) << links[i];
        EXPECT_LT(std::atoi(s.c_str()), 100) << links[i];
    }
    EXPECT_EQ(model->Catalogue.FolderList().size(), 5u);
    EXPECT_NE(LogText().find("Slot number -4 is out of range"), std::string::npos) << LogText();
    EXPECT_LT(model->Layout.Geometry().ItemCount, 100) << "no grid for a slot that was never one";
}

TEST_F(Hostile, NamesTheAnsiCallsCannotReachKeepTheirSlotsAndLineBreaksAreLeftOut) {
    std::string p = paths.CommonPrograms;
    std::string real = Program(p, "Real.lnk");
    // Names outside the code page reach the ANSI calls as question marks, the two alike; each is
    // a real shortcut, made under a plain name and then renamed.
    const std::wstring foreign[] = {L"\x4E2D\x6587", L"\x65E5\x672C"};
    for (const std::wstring& name : foreign) {
        std::string plain = Program(p, "Plain.lnk");
        ASSERT_TRUE(MoveFileW(ToWide(plain).c_str(), (ToWide(p) + L"\\" + name + L".lnk").c_str()));
    }
    size_t served = 3, refused = 0;
    // Line breaks, a trailing blank and a path past 260 characters: only the host makes those.
    std::string unixP = UnixPath(p);
    std::string longName(250, 'n');
    auto entries = [&] {
        size_t n = 0;
        WIN32_FIND_DATAA fd;
        UniqueFindHandle find(FindFirstFileA((p + "\\*").c_str(), &fd));
        if (find)
            do ++n;
            while (FindNextFileA(find.Get(), &fd));
        return n;
    };
    size_t before = entries();
    if (!unixP.empty() && RunHost("touch", "\"" + unixP + "/Line\r\n[Files]\r\nBreak.lnk\" \"" + unixP +
                                               "/Blank.lnk \" \"" + unixP + "/" + longName + "\"") &&
        WaitUntil([&] { return entries() == before + 3; }, 5000)) {
        served += 2;
        refused += 1;
    }
    model->Rebuild(nullptr);
    std::string first = Tab();
    std::string slot = Slot(real);
    ASSERT_FALSE(slot.empty());
    for (int i = 0; i < 5; ++i) model->Rebuild(nullptr);
    EXPECT_EQ(Tab(), first) << "no entry churns: the file neither grows nor changes";
    EXPECT_EQ(Slot(real), slot);
    EXPECT_EQ(first.find("[SetupTime]"), std::string::npos) << "nothing was ever new";
    size_t sections = 0;
    for (size_t at = first.find("[Files]"); at != std::string::npos; at = first.find("[Files]", at + 1)) ++sections;
    EXPECT_EQ(sections, 1u) << first;
    EXPECT_EQ(first.find("Break"), std::string::npos);
    EXPECT_EQ(model->Catalogue.FolderList().size(), served) << "known by their short aliases:\n" << first;
    // Shown under their own names, and started through the alias.
    for (const std::wstring& name : foreign) {
        auto entry = std::find_if(model->Catalogue.FolderList().begin(), model->Catalogue.FolderList().end(),
                                  [&](const TFolder& f) { return f.WideCaption == name; });
        ASSERT_NE(entry, model->Catalogue.FolderList().end());
        EXPECT_EQ(AnsiLowerFileName(LaunchRequestFor(entry->FullName).file), base + "\\bin\\plain.exe");
    }
    std::string log = LogText();
    size_t lines = 0;
    for (size_t at = log.find(" is left out: it "); at != std::string::npos; at = log.find(" is left out: it ", at + 1))
        ++lines;
    EXPECT_EQ(lines, refused * 6) << "one line per name and rebuild:\n" << log;
    if (refused == 1) {
        EXPECT_NE(log.find("Line<0D><0A>[Files]<0D><0A>Break.lnk is left out"), std::string::npos) << log;
    }
    RunHost("rm", "-f \"" + unixP + "/Line\r\n[Files]\r\nBreak.lnk\" \"" + unixP + "/Blank.lnk \" \"" + unixP + "/" +
                      longName + "\"");
    WaitUntil([&] { return entries() == before; }, 5000);
}

namespace {
// The lines of a section of an ini text.
int LinesOfSection(const std::string& text, const std::string& section) {
    size_t at = text.find("[" + section + "]");
    if (at == std::string::npos) return 0;
    size_t end = text.find("\n[", at + 1);
    std::string body = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    return static_cast<int>(std::count(body.begin(), body.end(), '=')) ;
}
}  // namespace

// A full disk cuts the file being written at a page's end: in a line, or, as the names fall, just
// after a line end. Every cut is seen: the previous file and its backup stay byte for byte and the
// failure is logged, or the rebuild is written whole. No entry is lost, no temporary file stays.
TEST_F(Hostile, AFullDiskAtManySizesKeepsThePreviousFilesAndLosesNoEntry) {
    // The data folder on a small file system of the host's, which a filler then all but fills.
    std::string host = UnixPath(base) + "-full";
    auto capacity = [&](ULONGLONG& free) {
        ULARGE_INTEGER f{}, total{};
        if (!GetDiskFreeSpaceExA(("Z:" + host + "\\").c_str(), &f, &total, nullptr)) return ULONGLONG(0);
        free = f.QuadPart;
        return total.QuadPart;
    };
    ULONGLONG free = 0;
    if (host.size() < 6 || !RunHost("mkdir", "-p \"" + host + "\"") ||
        !WaitUntil([&] { return DirectoryExists("Z:" + host); }, 5000) ||
        !RunHost("mount", "-t tmpfs -o size=64k tmpfs \"" + host + "\"") ||
        !WaitUntil([&] { return capacity(free) > 0 && capacity(free) <= 64 * 1024; }, 5000))
        GTEST_SKIP() << "no small file system can be mounted here";
    struct Unmount {
        std::string host;
        ~Unmount() { RunHost("umount", "\"" + host + "\""); }
    } unmount{host};
    std::string data = "Z:" + host;
    for (char& c : data)
        if (c == '/') c = '\\';
    // The log stays off the full disk: a log that cannot be written would stop the test.
    std::string saved = ProgramFolder;
    ProgramFolder = base + "\\";
    std::string roomy = paths.AppData;
    paths.AppData = data;
    NewModel();
    for (int i = 0; i < 30; ++i) Program(paths.CommonPrograms, "Program " + std::to_string(100 + i) + ".lnk");
    model->Rebuild(nullptr);
    const std::string good = Tab(), goodBackup = ReadWholeFile(data + "\\tab1.ini.bak");
    const std::string goodMain = ReadWholeFile(data + "\\Main.ini"), goodQuick = Quick();
    ASSERT_EQ(model->Catalogue.FolderList().size(), 30u);
    ASSERT_EQ(good, goodBackup);
    auto later = [&](const std::string& pad, bool make) {
        for (int i = 0; i < 30; ++i) {
            std::string name = paths.CommonPrograms + "\\Later " + std::to_string(100 + i) + (i == 0 ? pad : "") + ".lnk";
            if (make) Program(paths.CommonPrograms, name.substr(paths.CommonPrograms.size() + 1));
            else DeleteFileA(name.c_str());
        }
    };
    auto reset = [&] {
        DeleteFileA((data + "\\filler").c_str());
        WriteWholeFile(data + "\\tab1.ini", good);
        WriteWholeFile(data + "\\tab1.ini.bak", goodBackup);
        WriteWholeFile(data + "\\Main.ini", goodMain);
        WriteWholeFile(data + "\\quicketab1.ini", goodQuick);
    };
    // The rebuild as it comes out on a disk with room: where its lines end. A longer first name
    // moves every later byte, so the pad that puts a line end last in the first page is known.
    paths.AppData = roomy;
    for (const char* f : {"tab1.ini", "tab1.ini.bak", "Main.ini"}) WriteWholeFile(roomy + "\\" + f, ReadWholeFile(data + "\\" + f));
    WriteWholeFile(roomy + "\\quicketab1.ini", goodQuick);
    NewModel();
    later("", true);
    model->Rebuild(nullptr);
    std::string whole = Tab();
    later("", false);
    ASSERT_GT(whole.size(), 4096u);
    size_t lastEnd = whole.rfind('\n', 4095);
    ASSERT_NE(lastEnd, std::string::npos);
    std::string atLineEnd(4095 - lastEnd, 'x');
    paths.AppData = data;
    int cutAtLineEnd = 0, failures = 0, writtenWhole = 0;
    for (const std::string& pad : {atLineEnd, atLineEnd + "x", atLineEnd + std::string(35, 'x')}) {
        for (ULONGLONG leave : {0ull, 4096ull, 8192ull, 12288ull, 16384ull}) {
            SCOPED_TRACE("pad " + std::to_string(pad.size()) + ", free " + std::to_string(leave));
            reset();
            NewModel();
            capacity(free);
            if (free > leave) WriteWholeFile(data + "\\filler", std::string(static_cast<size_t>(free - leave), 'x'));
            later(pad, true);
            DeleteFileA((base + "\\log.txt").c_str());
            model->Rebuild(nullptr);
            later(pad, false);
            std::string now = Tab(), backup = ReadWholeFile(data + "\\tab1.ini.bak");
            std::string log = ReadWholeFile(base + "\\log.txt");
            if (now == good) {
                ++failures;
                EXPECT_NE(log.find("CalcAllUnable to write to " + data + "\\"), std::string::npos) << log;
                EXPECT_EQ(backup, goodBackup);
                EXPECT_EQ(model->Catalogue.FolderList().size(), 30u) << "the panel keeps the previous file";
            } else {
                ++writtenWhole;
                EXPECT_EQ(CatalogueEntryLines(now), 60) << now;
                EXPECT_EQ(LinesOfSection(now, "SetupTime"), 30) << "every stamp: " << now;
                EXPECT_TRUE(backup == now || backup == goodBackup) << "the backup is one of the two whole files";
            }
            if (pad == atLineEnd && log.find("tab1.ini") != std::string::npos) ++cutAtLineEnd;
            for (const char* left : {"tab1.ini.new", "tab1.ini.bak.part", "Main.ini.new", "quicketab1.ini.new"})
                EXPECT_FALSE(FileExists(data + "\\" + left)) << left;
        }
    }
    ProgramFolder = saved;
    EXPECT_GT(failures, 0) << "some sizes are too small";
    EXPECT_GT(writtenWhole, 0) << "some are enough";
    EXPECT_GT(cutAtLineEnd, 0) << "a cut right after a line end was among them";
    DeleteFileA((data + "\\filler").c_str());
}
