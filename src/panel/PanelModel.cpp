#include "panel/PanelModel.h"

#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/Error.h"
#include "platform/Guarded.h"
#include "platform/IniFile.h"

namespace {

// The files a rebuild writes: each is replaced whole at the rebuild's end, or left as it was.
class FilesUpdate {
public:
    explicit FilesUpdate(std::initializer_list<TIniFile*> files) {
        try {
            for (TIniFile* f : files) {
                f->BeginUpdate();
                files_.push_back(f);
            }
        } catch (...) {
            // No destructor runs for an object not made: the copies begun are dropped here.
            for (TIniFile* f : files_) f->Discard();
            throw;
        }
    }
    ~FilesUpdate() {
        for (TIniFile* f : files_) f->Discard();
    }
    FilesUpdate(const FilesUpdate&) = delete;
    FilesUpdate& operator=(const FilesUpdate&) = delete;
    // Each file on its own: one that fails keeps its old content, the others are replaced.
    void Commit() {
        std::string failure;
        for (TIniFile* f : files_) {
            try {
                f->Commit();
            } catch (const Error& e) {
                if (failure.empty()) failure = e.what();
            }
        }
        if (!failure.empty()) throw Error(failure);
    }

private:
    std::vector<TIniFile*> files_;
};

}  // namespace

void TPanelModel::OpenFiles() {
    Catalogue.OpenFiles(DataFolder);
    Layout.OpenFile(DataFolder + "\\Main.ini");
}

void TPanelModel::CloseFiles() {
    Catalogue.CloseFiles();
    Layout.CloseFile();
}

bool TPanelModel::Rebuild(HWND window) {
    return Guarded("CalcAll", [&] {
        Catalogue.GetItems();
        Catalogue.SortItems();
        const PanelGeometry& g = Layout.Geometry();
        SeenAttributes seen;
        Layout.SetCounts(Catalogue.ProgramNames().Count(), Catalogue.QuickNames().Count());
        // A file that cannot be replaced whole keeps its old content, and an update that cannot
        // even begin (a full disk) changes nothing: the panel is then built from what the files
        // hold, not left empty.
        Guarded("CalcAll", [&] {
            FilesUpdate update{&Catalogue.TabIni(), Layout.File(), &Catalogue.QuickTabIni()};
            Layout.MainIniWrite();
            {
                // The counts as the reconciliation leaves them, also when it fails half-way.
                struct CountsBack {
                    TPanelLayout& layout;
                    int items, quick;
                    ~CountsBack() { layout.SetCounts(items, quick); }
                } counts{Layout, g.ItemCount, g.QuickCount};
                Catalogue.ProcessItems(g.Columns, counts.items, counts.quick, seen);
            }
            Layout.MainIniWrite();
            update.Commit();
        });
        Layout.MainIniRead(window);
        Catalogue.FillItems(seen);
        Catalogue.PlaceCells([&](std::vector<TFolder>& entries) { PlaceEntries(entries, g); });
    });
}
