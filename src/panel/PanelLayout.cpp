// System metrics and the layout file Main.ini.
#include "panel/PanelLayout.h"

#include "platform/Error.h"
#include "platform/Gdi.h"
#include "platform/Guarded.h"
#include "platform/Handle.h"
#include "platform/Numbers.h"
#include "platform/UiTexts.h"

namespace {

// The system keeps the submenu delay as text; anything unreadable keeps 400.
std::string MenuShowDelayText() {
    std::string delay = "400";
    UniqueHKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS)
        return delay;
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
        {
            WindowDc screen(nullptr);
            g.Dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        }
        if (g.Dpi <= 0) g.Dpi = kBaseDpi;
        g.IconInset = g.Px(5);
        g.BlockGap = g.Px(7);
        g.LineWidth = g.Px(1);
    });
}

std::optional<unsigned> TPanelLayout::SetScreenSize() {
    std::optional<unsigned> submenuDelay;
    Guarded("SetScreenSize", [&] {
        long delay = DecimalOrRaise(MenuShowDelayText());
        submenuDelay = static_cast<unsigned>(delay < 0 ? 0 : delay);
        // Six line widths at 96 DPI; scaled as one length, so that the ramp keeps its width.
        geometry_.LeftMargin = geometry_.Px(6);
        geometry_.HeaderHeight = geometry_.Px(30);
    });
    return submenuDelay;
}

void TPanelLayout::MainIniWrite() {
    Guarded("MainIniWrite", [&] {
        PanelGeometry& g = geometry_;
        mainIni_->WriteInteger("Resolution", "Count", g.ItemCount);
        GridSize grid = MainGridSize(g.ItemCount);
        g.Columns = grid.columns;
        g.Rows = grid.rows;
        mainIni_->WriteInteger("Resolution", "Width", g.Columns);
        mainIni_->WriteInteger("Resolution", "Height", g.Rows);
        mainIni_->WriteString("Tabs", "1", "None");
        mainIni_->WriteInteger("Resolution", "quickeCount", g.QuickCount);
        mainIni_->WriteInteger("Resolution", "quickeHeight", QuickRows(g.QuickCount, g.Columns));
    });
}

void TPanelLayout::MainIniRead(HWND window) {
    Guarded("MainIniRead", [&] {
        if (!mainIni_->SectionExists("Resolution")) return;
        PanelGeometry& g = geometry_;
        g.StoredColumns = mainIni_->ReadInteger("Resolution", "Width", -1);
        g.StoredRows = mainIni_->ReadInteger("Resolution", "Height", -1);
        g.QuickAreaHeight = mainIni_->ReadInteger("Resolution", "quickeHeight", 0) * g.CellHeight;
        g.GridTop = ComputeGridTop(g);
        if (g.StoredColumns < 1 || g.StoredRows < 1) throw Error(UiTexts.ScreenSizeError);
        ClientSize size = ComputeClientSize(g);
        if (window)
            SetWindowPos(window, nullptr, 0, 0, size.width, size.height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
}
