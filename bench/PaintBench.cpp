// Frames of panels of 50 to 5,000 entries, painted off-screen: whole, and as the program paints
// them, only the part a panel at the desktop's top left shows.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Report.h"
#include "Timing.h"
#include "catalogue/Folder.h"
#include "panel/PanelLayout.h"
#include "panel/Painter.h"
#include "platform/Gdi.h"
#include "support/CatalogueSetup.h"

namespace {

// Median milliseconds of one frame of the painter as it stands, of the part given or the whole.
double FrameTime(PanelPainter& painter, const ClientSize& size, int frames, IntRect part = {}) {
    if (part.Empty()) part = {0, 0, size.width, size.height};
    OffscreenBitmap buffer(nullptr, part.right - part.left, part.bottom - part.top);
    std::vector<double> t;
    for (int i = 0; i < frames; ++i) t.push_back(Milliseconds([&] {
        painter.PaintFrame(buffer.Dc(), size.width, size.height, part);
        GdiFlush();
    }));
    return Median(t);
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    GdiplusSession gdiplus;
    std::vector<TFolder> list;
    PanelGeometry g;
    PanelView view;
    unsigned version = 0;
    PanelPainter painter(list, version, g, view);
    SetIconParams(g);
    painter.PrepareColors();
    SHFILEINFOA info = {};
    painter.LargeImages = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\windows\\notepad.exe", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    int icon = info.iIcon;
    g.Columns = g.StoredColumns = 18;
    g.Rows = g.StoredRows = 18;
    g.GridTop = ComputeGridTop(g);
    ClientSize size = ComputeClientSize(g);
    const int frames = 30;
    double empty = FrameTime(painter, size, frames);
    for (int slot = 1; slot <= 324; ++slot) {
        TFolder f = EntryAtSlot(g, slot, "Program " + std::to_string(slot), slot % 7 == 0);
        f.IconIndex = icon;
        list.push_back(f);
    }
    view.CurrentItem = 5;
    double cold = FrameTime(painter, size, 1);  // every cell painted for the first time
    double full = FrameTime(painter, size, frames);
    std::printf("panel %d x %d px, %s\n", size.width, size.height, painter.Colours.VisualStyles ? "visual styles" : "classic");
    std::printf("full frame, 324 entries:            %7.2f ms (target 16 ms)\n", full);
    std::printf("first frame after a rebuild (cold): %7.2f ms\n", cold);
    std::printf("frame without entries:              %7.2f ms\n", empty);
    std::printf("per RedrawItem, kept cell:          %7.3f ms\n", std::max(0.0, full - empty) / 325);
    std::printf("per RedrawItem, painted anew:       %7.3f ms\n", (cold - empty) / 325);
    ReportFigure("one full frame, 324 entries (target 16 ms)", full, 16, "ms");
    // A highlight move as the pointer makes it: the old cell normal, the new one highlighted,
    // straight to the window's surface (here the screen's).
    std::vector<double> moves;
    for (int i = 0; i < 60; ++i) {
        int from = 5 + i % 2, to = 6 - i % 2;
        moves.push_back(Milliseconds([&] {
            painter.RedrawItem(false, from);
            painter.RedrawItem(true, to);
            GdiFlush();
        }));
    }
    std::printf("highlight move, two RedrawItem:     %7.3f ms\n", Median(moves));
    ReportFigure("highlight move (two RedrawItem)", Median(moves), -1, "ms");
    ReportFigure("first frame after a rebuild, cells painted anew", cold, -1, "ms");

    // A panel of n entries laid out as the program lays them out, at the desktop's top left: what
    // a frame costs once its cells are kept.
    for (int n : {50, 324, 1000, 5000}) {
        GridSize grid = MainGridSize(n);
        g.Columns = g.StoredColumns = grid.columns;
        g.Rows = g.StoredRows = grid.rows;
        g.GridTop = ComputeGridTop(g);
        ClientSize panel = ComputeClientSize(g);
        list.clear();
        painter.ForgetCells();
        for (int slot = 1; slot <= n; ++slot) {
            TFolder f = EntryAtSlot(g, slot, "Program " + std::to_string(slot), slot % 7 == 0);
            f.IconIndex = icon;
            list.push_back(f);
        }
        view.CurrentItem = 5;
        IntRect shown{0, 0, std::min(panel.width, GetSystemMetrics(SM_CXVIRTUALSCREEN)),
                      std::min(panel.height, GetSystemMetrics(SM_CYVIRTUALSCREEN))};
        FrameTime(painter, panel, 1, shown);  // the cells a show paints ahead
        double frame = FrameTime(painter, panel, frames, shown);
        std::printf("%5d entries: panel %d x %d px, shown %d x %d, frame %7.2f ms\n", n, panel.width, panel.height,
                    shown.right, shown.bottom, frame);
        std::string figure = "frame as shown, " + std::to_string(n) + " entries (target 16 ms)";
        ReportFigure(figure.c_str(), frame, 16, "ms");
    }

    // GDI objects of the kept cells once every cell is painted and 40 were highlighted: Windows
    // XP gives a process 10,000 (Wine counts none, so they are counted by their owner).
    for (int entries : {324, 3000}) {
        list.clear();
        painter.ForgetCells();
        g.Columns = g.StoredColumns = 60;
        g.Rows = g.StoredRows = (entries + 59) / 60;
        g.GridTop = ComputeGridTop(g);
        ClientSize big = ComputeClientSize(g);
        for (int slot = 1; slot <= entries; ++slot) {
            TFolder f = EntryAtSlot(g, slot, "Program " + std::to_string(slot));
            f.IconIndex = icon;
            list.push_back(f);
        }
        for (int hovered = 0; hovered < 40; ++hovered) {
            view.CurrentItem = hovered * 7;
            FrameTime(painter, big, 1);
        }
        size_t objects = painter.KeptCellObjects();
        std::printf("GDI objects of kept cells, %4d entries: %zu (%.4f per entry)\n", entries, objects,
                    static_cast<double>(objects) / entries);
        std::string figure = "GDI objects of kept cells per entry, " + std::to_string(entries) + " entries";
        ReportFigure(figure.c_str(), static_cast<double>(objects) / entries, -1, "objects");
    }
    CoUninitialize();
    return 0;
}
