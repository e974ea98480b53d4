// TCatalogue: the programs of the Start Menu folders as the panel knows them. It scans the
// folders, reconciles the names with tab1.ini and quicketab1.ini (slots and stamps), and fills
// the entry list. It reads the grid's numbers (columns, counts) and writes the counts back. All
// its state is its own: others read it through the const accessors; the layout places the cells.
#pragma once
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalogue/Folder.h"
#include "catalogue/FolderPaths.h"
#include "catalogue/IconCache.h"
#include "catalogue/LocalizedNames.h"
#include "catalogue/NameList.h"
#include "catalogue/Reconcile.h"
#include "catalogue/SeenAttributes.h"
#include "catalogue/Shortcuts.h"
#include "platform/ComPtr.h"
#include "platform/IniFile.h"

class TCatalogue {
public:
    explicit TCatalogue(const TFolderPaths& paths);
    TCatalogue(const TCatalogue&) = delete;
    TCatalogue& operator=(const TCatalogue&) = delete;

    // Model.
    void ClearFolders();
    void SortItems();

    // Scanning.
    void GetItems();

    // The catalogue files.
    // A first fill runs in block order over the given columns; the counts become the highest
    // slot and position in use.
    // seen: what this rebuild looked at, from the reconciliation to the end of the entry list.
    void ProcessItems(int columns, int& itemCount, int& quickCount, SeenAttributes& seen);
    void FillItems(SeenAttributes& seen);

    // tab1.ini and quicketab1.ini in the data folder; closed again before the folder goes.
    void OpenFiles(const std::string& dataFolder);
    void CloseFiles();
    // The shell's desktop folder, asked for once the shell is there.
    void AttachShell();
    void DetachShell() { desktopFolder_.Reset(); }
    // The icons kept from one rebuild to the next are forgotten: the system's list was rebuilt.
    void ForgetIcons() { icons_.Clear(); }
    // The entries' cells, set by the layout once the list is filled.
    void PlaceCells(const std::function<void(std::vector<TFolder>&)>& place) { place(folderList_); }

    const std::vector<TFolder>& FolderList() const { return folderList_; }  // load order
    const unsigned& ListVersion() const { return listVersion_; }  // counts the times FolderList was made anew
    const TNameList& ProgramNames() const { return programNames_; }
    const TNameList& QuickNames() const { return quickNames_; }
    IShellFolder* DesktopFolder() const { return desktopFolder_.Get(); }
    // The two files a rebuild updates; open between OpenFiles and CloseFiles.
    TIniFile& TabIni() { return *tabIni_; }
    TIniFile& QuickTabIni() { return *quickTabIni_; }

private:
    TNameList programNames_{CompareNamesInLocale};
    TNameList quickNames_{CompareNamesInLocale};
    std::vector<int> FreeSlots;       // ascending
    std::vector<int> QuickFreeSlots;  // ascending
    std::vector<TFolder> folderList_;
    unsigned listVersion_ = 0;
    std::unique_ptr<TIniFile> tabIni_;
    std::unique_ptr<TIniFile> quickTabIni_;
    ComPtr<IShellFolder> desktopFolder_;
    ShellFolderCache IconFolders;  // valid for one rebuild of the entry list
    LocalizedNames Localized;      // likewise
    IconIndexCache icons_;         // from one rebuild to the next

    // The steps of the operations above.
    // stamp: the slot's "SetupTime" value, "none" when it has none.
    void AddItem(const std::string& path, int kind, int number, const std::string& stamp, SeenAttributes& seen);
    void ProcessPath(const std::string& folder, const std::string& excluded, TNameList& names);
    void CorrectItems(const TNameList& names, std::vector<int>& freeSlots, TIniFile& file,
                      const std::string& commonRoot, const std::string& userRoot, int& count, SeenAttributes& seen);
    void DoWrite(TIniFile& file, const std::string& commonRoot, const std::string& userRoot,
                 const std::string& name, int index, bool withoutStamp);
    void ReadItems(const std::string& section, int kind, SeenAttributes& seen);

    struct Reconciliation;
    void DeleteValues(Reconciliation& r, const std::string& section);
    void FillNumbers(Reconciliation& r, const std::string& section);
    void FillDeleted(Reconciliation& r);
    // The caption to show when it is not Caption: the localized name, or the long name.
    std::wstring ShownName(const std::string& path, bool directory);
    TIniFile& FileOfKind(int kind) const { return kind < 3 ? *tabIni_ : *quickTabIni_; }

    // What the last scan learnt of each root (by lower-cased path), and the roots whose stored
    // entries were kept unexamined: valid from GetItems to the next GetItems.
    std::unordered_map<std::string, RootScan> rootScans_;
    std::vector<std::string> unknownRoots_;
    bool UnderUnknownRoot(const std::string& path) const;

    const TFolderPaths& FolderPaths;
};
