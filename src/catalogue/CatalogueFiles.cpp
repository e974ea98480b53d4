// Reconciling the scanned names with tab1.ini / quicketab1.ini and rebuilding the entry list.
#include <windows.h>

#include <algorithm>
#include <set>

#include "catalogue/Catalogue.h"

#include "catalogue/BackupRule.h"
#include "catalogue/IconCache.h"
#include "catalogue/Reconcile.h"
#include "catalogue/SetupTime.h"
#include "catalogue/SlotMap.h"
#include "catalogue/Shortcuts.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Guarded.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

const char* const kEntrySections[] = {"Files", "Folders", "GoodFolders"};

bool HasEntries(const TIniFile& file) {
    for (const char* s : kEntrySections)
        if (file.SectionExists(s)) return true;
    return false;
}

// Splits "key=value" at the first equals sign.
void SplitLine(const std::string& line, std::string& key, std::string& value) {
    size_t eq = line.find('=');
    key = line.substr(0, eq);
    value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string StampNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    char sep[8] = ":";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, sep, sizeof sep);
    return FormatSetupTime({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond}, sep[0] ? sep[0] : ':');
}

}  // namespace

struct TCatalogue::Reconciliation {
    SeenAttributes& seen;
    TIniFile& file;
    TNameList pending;
    std::set<int> used;
    std::vector<int>& freeSlots;
    int count = 0;
};

namespace {

// A catalogue file found empty, cut or unreadable while its last good copy holds entries: the copy
// is used, so that slots and stamps survive. Only a file never written is filled for the first time.
void RestoreIfLost(TIniFile& file) {
    if (!file.Updating() || HasEntries(file) || !FileExists(file.BackupName())) return;
    TIniFile backup(file.BackupName());
    if (!HasEntries(backup)) return;
    file.RestoreBackup();
    WriteLogOrShow("ProcessItems" + LastComponent(file.FileName()) + " held no entries; its last good copy is used");
}

}  // namespace

bool TCatalogue::UnderUnknownRoot(const std::string& path) const {
    for (const std::string& root : unknownRoots_)
        if (LiesDirectlyIn(path, root)) return true;
    return false;
}

void TCatalogue::OpenFiles(const std::string& dataFolder) {
    tabIni_ = std::make_unique<TIniFile>(dataFolder + "\\tab1.ini");
    quickTabIni_ = std::make_unique<TIniFile>(dataFolder + "\\quicketab1.ini");
    tabIni_->SetBackupRule(CatalogueBackupMayBeReplaced);
    quickTabIni_->SetBackupRule(CatalogueBackupMayBeReplaced);
}

void TCatalogue::CloseFiles() {
    tabIni_.reset();
    quickTabIni_.reset();
}

void TCatalogue::ProcessItems(int columns, int& itemCount, int& quickCount, SeenAttributes& seen) {
    Guarded("ProcessItems", [&] {
        RestoreIfLost(*tabIni_);
        RestoreIfLost(*quickTabIni_);
        if (HasEntries(*tabIni_)) {
            CorrectItems(programNames_, FreeSlots, *tabIni_, FolderPaths.CommonPrograms, FolderPaths.UserPrograms,
                         itemCount, seen);
        } else {
            for (int k = 1; k <= programNames_.Count(); ++k)
                DoWrite(*tabIni_, FolderPaths.CommonPrograms, FolderPaths.UserPrograms, programNames_[k - 1],
                        SlotOfPosition(k, columns) - 1, true);
        }
        if (HasEntries(*quickTabIni_)) {
            CorrectItems(quickNames_, QuickFreeSlots, *quickTabIni_, FolderPaths.CommonStartMenu,
                         FolderPaths.UserStartMenu, quickCount, seen);
        } else {
            for (int i = 0; i < quickNames_.Count(); ++i)
                DoWrite(*quickTabIni_, FolderPaths.CommonStartMenu, FolderPaths.UserStartMenu, quickNames_[i], i, true);
        }
    });
}

void TCatalogue::CorrectItems(const TNameList& names, std::vector<int>& freeSlots, TIniFile& file,
                             const std::string& commonRoot, const std::string& userRoot, int& count,
                             SeenAttributes& seen) {
    Guarded("CorrectItems", [&] {
        Reconciliation r{seen, file, names, {}, freeSlots, 0};
        freeSlots.clear();
        for (const std::string& root : {commonRoot, userRoot}) {
            auto scan = rootScans_.find(AnsiLowerFileName(root));
            if (scan == rootScans_.end() || root.empty()) continue;
            int stored = 0;
            for (const char* section : kEntrySections)
                for (const std::string& line : file.ReadSectionLines(section)) {
                    std::string key, value;
                    SplitLine(line, key, value);
                    if (LiesDirectlyIn(value, root)) ++stored;
                }
            // Both roots are one folder where the system has no all-users folder.
            if (!RootUnknown(scan->second, stored) ||
                std::find(unknownRoots_.begin(), unknownRoots_.end(), root) != unknownRoots_.end())
                continue;
            unknownRoots_.push_back(root);
            WriteLogOrShow("ProcessItems" + root + " cannot be read now; its " + std::to_string(stored) +
                           " entries are kept as they were");
        }
        for (const char* section : kEntrySections) {
            if (file.SectionExists(section)) DeleteValues(r, section);
            FillNumbers(r, section);
        }
        FillDeleted(r);
        std::vector<int> indices = PlacePendingNames(freeSlots, r.count, r.pending.Count());
        for (int k = 0; k < r.pending.Count(); ++k) DoWrite(file, commonRoot, userRoot, r.pending[k], indices[k], false);
        count = r.count;
    });
}

void TCatalogue::DeleteValues(Reconciliation& r, const std::string& section) {
    for (const std::string& line : r.file.ReadSectionLines(section)) {
        Guarded("DeleteValues", [&] {
            std::string key, value;
            SplitLine(line, key, value);
            long n = 0;
            bool number = ParseDecimal(key, n);
            if (!number || !IsSlotNumber(n)) {
                // Dropped rather than skipped: its name stays pending and is written anew once,
                // instead of the bad line making every rebuild add the entry again (or, for a
                // number of no slot, hiding the entry for good).
                r.file.DeleteKey(section, key);
                r.file.DeleteKey("SetupTime", key);
                if (!number) RaiseNotAnInteger(key);
                throw Error("Slot number " + key + " is out of range");
            }
            if (n > r.count) r.count = static_cast<int>(n);
            std::string name = LastComponent(value);
            if (UnderUnknownRoot(value)) {
                if (r.pending.Contains(name)) r.pending.Remove(name);
                return;  // not known to be gone
            }
            bool present = r.seen.Of(value) != nullptr;
            if (!present || !r.pending.Contains(name)) {
                r.file.DeleteKey(section, key);
                r.file.DeleteKey("SetupTime", key);
            } else {
                r.pending.Remove(name);
            }
        });
    }
}

void TCatalogue::FillNumbers(Reconciliation& r, const std::string& section) {
    Guarded("FillNumbers", [&] {
        for (const std::string& key : r.file.ReadSection(section)) {
            long n = 0;
            if (ParseDecimal(key, n) && IsSlotNumber(n)) r.used.insert(static_cast<int>(n));
        }
    });
}

void TCatalogue::FillDeleted(Reconciliation& r) {
    Guarded("FillDeleted", [&] { ComputeFreeSlots(r.used, r.count, r.freeSlots); });
}

void TCatalogue::DoWrite(TIniFile& file, const std::string& commonRoot, const std::string& userRoot,
                        const std::string& name, int index, bool withoutStamp) {
    Guarded("DoWrite", [&] {
        std::string key = std::to_string(index + 1);
        std::string common = commonRoot + "\\" + name;
        std::string user = userRoot + "\\" + name;
        if (FileExists(common))
            file.WriteString("Files", key, common);
        else if (FileExists(user))
            file.WriteString("Files", key, user);
        else if (SingleProgram(FolderPaths, common, name) != name)
            file.WriteString("GoodFolders", key, common);
        else if (SingleProgram(FolderPaths, user, name) != name)
            file.WriteString("GoodFolders", key, user);
        else if (DirectoryExists(user))
            file.WriteString("Folders", key, user);
        else
            file.WriteString("Folders", key, common);
        if (!withoutStamp) file.WriteString("SetupTime", key, StampNow());
    });
}

void TCatalogue::FillItems(SeenAttributes& seen) {
    Guarded("FillItems", [&] {
        ClearFolders();
        IconFolders.Clear();
        Localized = LocalizedNames();  // desktop.ini files may have changed since the last rebuild
        icons_.CheckImageList(SystemImageCount(), GetSystemMetrics(SM_CXICON));
        ReadItems("Files", ekFile, seen);
        ReadItems("Folders", ekFolder, seen);
        ReadItems("GoodFolders", ekSingleFolder, seen);
        ReadItems("Files", ekQuickFile, seen);
        ReadItems("Folders", ekQuickFolder, seen);
        ReadItems("GoodFolders", ekQuickSingleFolder, seen);
        IconFolders.Clear();
    });
}

void TCatalogue::ReadItems(const std::string& section, int kind, SeenAttributes& seen) {
    IniSectionValues stamps(FileOfKind(kind), "SetupTime");  // one read, not one per entry
    for (const std::string& line : FileOfKind(kind).ReadSectionLines(section)) {
        // One bad line costs only its own entry, not the rest of the section.
        Guarded("ReadItems", [&] {
            std::string key, value;
            SplitLine(line, key, value);
            int number = static_cast<int>(DecimalOrRaise(key));
            AddItem(value, kind, number, stamps.Get(std::to_string(number), "none"), seen);
        });
    }
}
