// Building the folder submenu tree from a fake file system.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "panel/FolderMenuTree.h"
#include "catalogue/Folder.h"
#include "panel/StartProgram.h"

namespace {

// Folders by path, each with its names in listing order; a name ending in '\' is a folder.
class FakeFolders : public FolderSource {
public:
    std::map<std::string, std::vector<std::string>> folders;
    std::map<std::string, std::string> identity;  // path -> id; default: the path itself
    std::string failing;                           // Identity raises for this folder
    std::map<std::string, std::wstring> shown;     // path -> the name Explorer shows
    int listings = 0;

    std::wstring ShownName(const std::string& path, bool) override {
        auto it = shown.find(path);
        return it == shown.end() ? std::wstring() : it->second;
    }

    bool List(const std::string& folder, std::vector<ListedName>& names) override {
        ++listings;
        auto it = folders.find(folder);
        if (it == folders.end()) return false;
        for (const std::string& n : it->second) {
            bool dir = !n.empty() && n.back() == '\\';
            names.push_back({dir ? n.substr(0, n.size() - 1) : n, dir});
        }
        return true;
    }
    std::string Identity(const std::string& folder) override {
        if (folder == failing) throw std::runtime_error("unreadable");
        auto it = identity.find(folder);
        return it == identity.end() ? folder : it->second;
    }
};

std::vector<std::string> Captions(const MenuNode& n) {
    std::vector<std::string> out;
    for (const MenuNode& c : n.children) out.push_back(c.caption + (c.folder ? "/" : ""));
    return out;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(FolderMenuTree, FoldersFirstThenFilesEachInByteOrder) {
    FakeFolders fs;
    fs.folders["r"] = {"zeta\\", "b.lnk", "Alpha\\", "Zebra.lnk", "apple.lnk"};
    fs.folders["r\\zeta"] = {};
    fs.folders["r\\Alpha"] = {};
    FolderMenuBuilder b(fs);
    MenuNode top;
    b.AddSubMenu("r", top);
    EXPECT_EQ(Captions(top), (Names{"Alpha/", "zeta/", "Zebra", "apple", "b"}));
    EXPECT_EQ(top.tag, 2) << "the top level counts its folders";
    // A file's tag indexes the path list, which holds the listed name with its extension.
    for (const MenuNode& c : top.children) {
        if (!c.folder) {
            EXPECT_EQ(b.Paths.at(static_cast<size_t>(c.tag)), "r\\" + c.caption + ".lnk");
        }
    }
}

TEST(FolderMenuTree, InsertIndexKeepsTheFolderRangeApart) {
    std::vector<MenuNode> children(3);
    children[0].caption = "B";
    children[1].caption = "a";  // file range starts here
    children[2].caption = "c";
    int folders = 1;
    EXPECT_EQ(MenuInsertIndex(children, "C", folders, true), 1u) << "a folder goes to the end of its range";
    EXPECT_EQ(folders, 2);
    folders = 1;
    EXPECT_EQ(MenuInsertIndex(children, "A", folders, true), 0u);
    folders = 1;
    EXPECT_EQ(MenuInsertIndex(children, "A", folders, false), 1u) << "capitals sort before small letters";
    EXPECT_EQ(MenuInsertIndex(children, "d", folders, false), 3u);
    EXPECT_EQ(folders, 1) << "files leave the count alone";
    EXPECT_EQ(MenuInsertIndex(children, "\xC0\xE1", folders, false), 3u) << "code page letters sort last";
}

TEST(FolderMenuTree, SameFolderUnderSeveralRootsMergesToAnyDepth) {
    FakeFolders fs;
    fs.folders["user\\Accessories"] = {"Notepad.lnk", "Tools\\"};
    fs.folders["user\\Accessories\\Tools"] = {"Zip.lnk"};
    fs.folders["common\\Accessories"] = {"notepad.lnk", "Paint.lnk", "tools\\"};
    fs.folders["common\\Accessories\\tools"] = {"Unzip.lnk", "zip.lnk"};
    FolderMenuBuilder b(fs);
    MenuNode top;
    for (const char* root : {"user", "common", "userMenu", "commonMenu"})
        b.AddSubMenu(std::string(root) + "\\Accessories", top);
    ASSERT_EQ(Captions(top), (Names{"Tools/", "Notepad", "Paint"}));
    EXPECT_EQ(Captions(top.children[0]), (Names{"Unzip", "Zip"}));
    EXPECT_EQ(b.Paths.at(static_cast<size_t>(top.children[1].tag)), "user\\Accessories\\Notepad.lnk")
        << "the first root's file wins";
    EXPECT_EQ(top.children[1].iconPath, "user\\Accessories\\Notepad.lnk") << "and shows its icon";
    EXPECT_EQ(top.children[0].iconPath, "user\\Accessories\\Tools") << "a merged folder shows the first one's";
    // A merged folder's shown name comes from the first root that gives one: all users' while the
    // user's gives none, then the user's.
    fs.shown = {{"common\\Accessories\\tools", L"Werkzeuge"}};
    for (const wchar_t* expected : {L"Werkzeuge", L"Outils"}) {
        FolderMenuBuilder named(fs);
        MenuNode again;
        for (const char* root : {"user", "common"}) named.AddSubMenu(std::string(root) + "\\Accessories", again);
        EXPECT_EQ(again.children[0].shown, expected);
        fs.shown["user\\Accessories\\Tools"] = L"Outils";
    }
}

TEST(FolderMenuTree, ListingRules) {
    FakeFolders fs;
    fs.folders["r"] = {".", "..", "Desktop.INI", "desktop.ini", "Thumbs.db", "A.lnk", "a.lnk",
                       "Office 2003.1\\", "setup.exe.lnk", "Tom & Jerry.lnk", "Tom  Jerry.lnk"};
    fs.folders["r\\Office 2003.1"] = {};
    FolderMenuBuilder b(fs);
    MenuNode top;
    b.AddSubMenu("r", top);
    EXPECT_EQ(Captions(top), (Names{"Office 2003.1/", "A", "Thumbs", "Tom & Jerry", "setup.exe"}))
        << "ampersands are ignored when captions meet, so 'Tom  Jerry' is a second 'Tom & Jerry'";
    EXPECT_EQ(b.Paths.at(static_cast<size_t>(top.children[1].tag)), "r\\A.lnk");
}

TEST(FolderMenuTree, AFolderWinsOverAFileOfTheSameCaption) {
    FakeFolders fs;
    fs.folders["one"] = {"Word\\", "Word.lnk"};
    fs.folders["one\\Word"] = {"Help.lnk"};
    fs.folders["two"] = {"Excel.lnk", "Excel\\"};  // the file is listed first
    fs.folders["two\\Excel"] = {"Help.lnk"};
    fs.folders["three"] = {"Viewer.lnk"};
    fs.folders["four"] = {"Viewer\\"};  // another root's folder meets an earlier file item
    fs.folders["four\\Viewer"] = {"Readme.lnk", "Sub\\"};
    fs.folders["four\\Viewer\\Sub"] = {};
    for (const char* root : {"one", "two"}) {
        FolderMenuBuilder b(fs);
        MenuNode top;
        b.AddSubMenu(root, top);
        ASSERT_EQ(top.children.size(), 1u) << root;
        EXPECT_TRUE(top.children[0].folder) << root;
        EXPECT_EQ(Captions(top.children[0]), (Names{"Help"})) << root;
        EXPECT_TRUE(b.Paths.size() == 1u) << root << ": only the folder's file is a path";
    }
    FolderMenuBuilder b(fs);
    MenuNode top;
    b.AddSubMenu("three", top);
    b.AddSubMenu("four", top);
    ASSERT_EQ(Captions(top), (Names{"Viewer/"}));
    EXPECT_EQ(top.children[0].iconPath, "four\\Viewer") << "the folder's icon, not the file's";
    EXPECT_EQ(top.tag, 1);
    EXPECT_EQ(Captions(top.children[0]), (Names{"Sub/", "Readme"})) << "its own folders first, as in any folder";
}

// A folder leading back to its parent ends the walk there; one that cannot be read ends only its
// own listing, and the walk goes on.
TEST(FolderMenuTree, ALoopOrAFaultEndsOnlyTheFolderWhereItIs) {
    FakeFolders fs;
    fs.folders["r"] = {"Bad\\", "Loop\\", "Keep.lnk"};
    fs.folders["r\\Bad"] = {"Lost.lnk"};
    fs.failing = "r\\Bad";
    fs.folders["r\\Loop"] = {"Back\\", "In.lnk"};
    fs.folders["r\\Loop\\Back"] = {"Loop\\", "In.lnk"};
    fs.identity["r\\Loop\\Back"] = "r";  // a junction to the root
    FolderMenuBuilder b(fs);
    MenuNode top;
    b.AddSubMenu("r", top);
    b.AddSubMenu("missing", top);  // cannot be listed: adds nothing
    EXPECT_TRUE(b.LoopSkipped);
    ASSERT_EQ(Captions(top), (Names{"Bad/", "Loop/", "Keep"}));
    EXPECT_EQ(Captions(top.children[0]), Names{});
    EXPECT_EQ(Captions(top.children[1]), (Names{"Back/", "In"}));
    EXPECT_TRUE(top.children[1].children[0].children.empty());
}

TEST(FolderMenuTree, DepthAndSizeAreBounded) {
    FakeFolders fs;
    std::string path = "r";
    for (int i = 0; i < 40; ++i) {
        fs.folders[path] = {"d\\"};
        path += "\\d";
    }
    FolderMenuBuilder deep(fs);
    MenuNode top;
    deep.AddSubMenu("r", top);
    EXPECT_TRUE(deep.LimitReached);
    int depth = 0;
    for (const MenuNode* n = &top; !n->children.empty(); n = &n->children[0]) ++depth;
    EXPECT_EQ(depth, FolderMenuBuilder::kMaxDepth);

    FakeFolders wide;
    for (size_t i = 0; i < FolderMenuBuilder::kMaxItems + 5; ++i)
        wide.folders["w"].push_back("f" + std::to_string(i) + ".lnk");
    FolderMenuBuilder big(wide);
    MenuNode all;
    big.AddSubMenu("w", all);
    EXPECT_TRUE(big.LimitReached);
    EXPECT_EQ(all.children.size(), FolderMenuBuilder::kMaxItems);
}

TEST(FolderMenuTree, WidthEstimateIsTheWidestCaptionPlusSixty) {
    auto measure = [](const std::string& c) { return static_cast<int>(c.size()) * 10; };
    EXPECT_EQ(MenuTextWidth({"Paint", "Notepad 12345", "Calculator 123"}, measure), 200);
    EXPECT_EQ(MenuTextWidth({}, measure), 60);
    EXPECT_EQ(MenuTextWidth({"Paint", "Notepad 12345", "Calculator 123"}, measure, 144), 140 + 90) << "60 at 144 DPI";
}

TEST(StartSequence, PlainPathsOpenInTheirOwnFolder) {
    LaunchRequest r = PlainLaunch("c:\\tools\\run me.exe");
    EXPECT_EQ(r.file, "c:\\tools\\run me.exe");
    EXPECT_EQ(r.workingFolder, "c:\\tools");
    EXPECT_EQ(r.arguments, "");
    EXPECT_EQ(PlainLaunch("c:\\setup.bat").workingFolder, "c:\\") << "a drive root keeps its backslash";
    EXPECT_EQ(PlainLaunch("notes.txt").workingFolder, "");
}

TEST(StartSequence, ShortcutsAreKnownByTheirLowerCasedExtension) {
    EXPECT_TRUE(IsShortcutPath("c:\\m\\Notepad.LNK"));
    EXPECT_TRUE(IsShortcutPath("c:\\m\\a.b.lnk"));
    EXPECT_FALSE(IsShortcutPath("c:\\m\\tool.exe"));
    EXPECT_FALSE(IsShortcutPath("c:\\m\\lnk"));
    EXPECT_FALSE(IsShortcutPath("c:\\x.lnk\\tool.msc"));
}
