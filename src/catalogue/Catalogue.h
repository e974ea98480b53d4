// TCatalogue: the programs of the Start Menu folders as the panel knows them. It scans the
// folders, reconciles the names with tab1.ini and quicketab1.ini (slots and stamps), and fills
// the entry list. It reads the grid's numbers (columns, counts) and writes the counts back.
#pragma once
#include <shlobj.h>

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
    // stamp: the slot's "SetupTime" value, "none" when it has none.
    void AddItem(const std::string& path, int kind, int number, const std::string& stamp, SeenAttributes& seen);

    // Scanning.
    void GetItems();
    void ProcessPath(const std::string& folder, const std::string& excluded, TNameList& names);

    // The catalogue files.
    // A first fill runs in block order over the given columns; the counts become the highest
    // slot and position in use.
    // seen: what this rebuild looked at, from the reconciliation to the end of the entry list.
    void ProcessItems(int columns, int& itemCount, int& quickCount, SeenAttributes& seen);
    void CorrectItems(const TNameList& names, std::vector<int>& freeSlots, TIniFile& file,
                      const std::string& commonRoot, const std::string& userRoot, int& count, SeenAttributes& seen);
    void DoWrite(TIniFile& file, const std::string& commonRoot, const std::string& userRoot,
                 const std::string& name, int index, bool withoutStamp);
    void FillItems(SeenAttributes& seen);
    void ReadItems(const std::string& section, int kind, SeenAttributes& seen);

    TNameList ProgramNames{CompareNamesInLocale};
    TNameList QuickNames{CompareNamesInLocale};
    std::vector<int> FreeSlots;       // ascending
    std::vector<int> QuickFreeSlots;  // ascending
    std::vector<TFolder> FolderList;  // load order
    unsigned ListVersion = 0;         // counts the times FolderList was made anew
    std::unique_ptr<TIniFile> TabIni;
    std::unique_ptr<TIniFile> QuickTabIni;
    ComPtr<IShellFolder> DesktopFolder;
    ShellFolderCache IconFolders;  // valid for one rebuild of the entry list
    LocalizedNames Localized;      // likewise
    IconIndexCache Icons;          // from one rebuild to the next

private:
    struct Reconciliation;
    void DeleteValues(Reconciliation& r, const std::string& section);
    void FillNumbers(Reconciliation& r, const std::string& section);
    void FillDeleted(Reconciliation& r);
    // The caption to show when it is not Caption: the localized name, or the long name.
    std::wstring ShownName(const std::string& path, bool directory);
    TIniFile& FileOfKind(int kind) const { return kind < 3 ? *TabIni : *QuickTabIni; }

    // What the last scan learnt of each root (by lower-cased path), and the roots whose stored
    // entries were kept unexamined: valid from GetItems to the next GetItems.
    std::unordered_map<std::string, RootScan> rootScans_;
    std::vector<std::string> unknownRoots_;
    bool UnderUnknownRoot(const std::string& path) const;

    const TFolderPaths& FolderPaths;
};
