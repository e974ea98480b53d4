// System metrics, the layout file Main.ini and the whole rebuild, CalcAll.
#include <windows.h>

#include "app/MainForm.h"
#include "panel/Metrics.h"
#include "platform/Error.h"
#include "platform/Guarded.h"
#include "platform/Handle.h"
#include "platform/IniFile.h"
#include "platform/Numbers.h"
#include "shell/UiTexts.h"

namespace {

// The system keeps the submenu delay as text; anything unreadable keeps 400.
std::string MenuShowDelayText() {
    std::string delay = "400";
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS)
        return delay;
    UniqueHKey key(raw);
    char buffer[6] = {};
    DWORD size = 5;
    if (RegQueryValueExA(key.Get(), "MenuShowDelay", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) ==
        ERROR_SUCCESS)
        delay = std::string(buffer, strnlen(buffer, 5));
    return delay;
}

}  // namespace

void SetIconParams(PanelGeometry& g) {
    Guarded("SetIconParams", [&] {
        g.CellWidth = GetSystemMetrics(SM_CXICONSPACING);
        g.CellHeight = GetSystemMetrics(SM_CYICONSPACING);
        g.IconWidth = GetSystemMetrics(SM_CXICON);
        g.IconHeight = GetSystemMetrics(SM_CYICON);
        g.SmallIconWidth = GetSystemMetrics(SM_CXSMICON);
        g.SmallIconHeight = GetSystemMetrics(SM_CYSMICON);
        g.IconInset = 5;
        g.BlockGap = 7;
        g.LineWidth = 1;
        g.BlockWidth = 3 * g.CellWidth;
        g.BlockHeight = 3 * g.CellHeight;
    });
}

void TMainForm::SetScreenSize() {
    Guarded("SetScreenSize", [&] {
        std::string text = MenuShowDelayText();
        long delay = DecimalOrRaise(text);
        Geometry.MenuShowDelay = static_cast<int>(delay);
        ShowPopupMenuTimer.SetInterval(static_cast<UINT>(delay < 0 ? 0 : delay));
        Geometry.LeftMargin = 6 * Geometry.LineWidth;
        Geometry.HeaderHeight = 30;
    });
}

void TMainForm::MainIniWrite() {
    Guarded("MainIniWrite", [&] {
        PanelGeometry& g = Geometry;
        MainIni->WriteInteger("Resolution", "Count", g.ItemCount);
        GridSize grid = MainGridSize(g.ItemCount);
        g.Columns = grid.columns;
        g.Rows = grid.rows;
        MainIni->WriteInteger("Resolution", "Width", g.Columns);
        MainIni->WriteInteger("Resolution", "Height", g.Rows);
        MainIni->WriteString("Tabs", "1", "None");
        MainIni->WriteInteger("Resolution", "quickeCount", g.QuickCount);
        MainIni->WriteInteger("Resolution", "quickeHeight", QuickRows(g.QuickCount, g.Columns));
    });
}

void TMainForm::MainIniRead() {
    Guarded("MainIniRead", [&] {
        if (!MainIni->SectionExists("Resolution")) return;
        PanelGeometry& g = Geometry;
        g.StoredColumns = MainIni->ReadInteger("Resolution", "Width", -1);
        g.StoredRows = MainIni->ReadInteger("Resolution", "Height", -1);
        g.QuickAreaHeight = MainIni->ReadInteger("Resolution", "quickeHeight", 0) * g.CellHeight;
        g.GridTop = ComputeGridTop(g);
        if (g.StoredColumns < 1 || g.StoredRows < 1) throw Error(UiTexts.ScreenSizeError);
        ClientSize size = ComputeClientSize(g);
        if (Handle())
            SetWindowPos(Handle(), nullptr, 0, 0, size.width, size.height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

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
        Geometry.ItemCount = Catalogue.ProgramNames.Count();
        Geometry.QuickCount = Catalogue.QuickNames.Count();
        {
            FilesUpdate update{Catalogue.TabIni.get(), MainIni.get(), Catalogue.QuickTabIni.get()};
            MainIniWrite();
            Catalogue.ProcessItems();
            MainIniWrite();
            // A file that cannot be replaced whole keeps its old content; the panel is then built
            // from what the files hold.
            Guarded("CalcAll", [&] { update.Commit(); });
        }
        MainIniRead();
        Catalogue.FillItems();
        Painter.ForgetCells();  // the painted cells are the old entries'
        Timer.Stop();
        View.CurrentItem = -1;
        if (Handle() && !PanelShown) PostMessageA(Handle(), kPaintAheadMessage, 0, 0);
    });
}
