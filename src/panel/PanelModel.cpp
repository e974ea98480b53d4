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
        for (TIniFile* f : files) {
            f->BeginUpdate();  // on failure the destructor leaves the ones begun as they were
            files_.push_back(f);
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
    Catalogue.TabIni = std::make_unique<TIniFile>(DataFolder + "\\tab1.ini");
    Layout.MainIni = std::make_unique<TIniFile>(DataFolder + "\\Main.ini");
    Catalogue.QuickTabIni = std::make_unique<TIniFile>(DataFolder + "\\quicketab1.ini");
}

void TPanelModel::CloseFiles() {
    Catalogue.TabIni.reset();
    Layout.MainIni.reset();
    Catalogue.QuickTabIni.reset();
}

bool TPanelModel::Rebuild(HWND window) {
    return Guarded("CalcAll", [&] {
        Catalogue.GetItems();
        Catalogue.SortItems();
        PanelGeometry& g = Layout.Geometry;
        g.ItemCount = Catalogue.ProgramNames.Count();
        g.QuickCount = Catalogue.QuickNames.Count();
        {
            FilesUpdate update{Catalogue.TabIni.get(), Layout.MainIni.get(), Catalogue.QuickTabIni.get()};
            Layout.MainIniWrite();
            Catalogue.ProcessItems(g.Columns, g.ItemCount, g.QuickCount);
            Layout.MainIniWrite();
            // A file that cannot be replaced whole keeps its old content; the panel is then built
            // from what the files hold.
            Guarded("CalcAll", [&] { update.Commit(); });
        }
        Layout.MainIniRead(window);
        Catalogue.FillItems();
        PlaceEntries(Catalogue.FolderList, g);
    });
}
