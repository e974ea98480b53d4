// The whole rebuild: scan, reconcile, lay out, fill; each file written whole or not at all.
#include <windows.h>

#include "app/MainForm.h"
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

void TMainForm::CalcAll() {
    Guarded("CalcAll", [&] {
        Catalogue.GetItems();
        Catalogue.SortItems();
        Layout.Geometry.ItemCount = Catalogue.ProgramNames.Count();
        Layout.Geometry.QuickCount = Catalogue.QuickNames.Count();
        {
            FilesUpdate update{Catalogue.TabIni.get(), Layout.MainIni.get(), Catalogue.QuickTabIni.get()};
            Layout.MainIniWrite();
            Catalogue.ProcessItems(Layout.Geometry.Columns, Layout.Geometry.ItemCount, Layout.Geometry.QuickCount);
            Layout.MainIniWrite();
            // A file that cannot be replaced whole keeps its old content; the panel is then built
            // from what the files hold.
            Guarded("CalcAll", [&] { update.Commit(); });
        }
        Layout.MainIniRead(Handle());
        Catalogue.FillItems();
        PlaceEntries(Catalogue.FolderList, Layout.Geometry);
        Painter.ForgetCells();  // the painted cells are the old entries'
        Timer.Stop();
        View.CurrentItem = -1;
        if (Handle() && !PanelShown) PostMessageA(Handle(), kPaintAheadMessage, 0, 0);
    });
}
