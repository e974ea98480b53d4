// Frames painted into an off-screen bitmap and read back pixel by pixel.
#include <gtest/gtest.h>
#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "panel/PanelLayout.h"
#include "panel/Painter.h"
#include "platform/Gdi.h"
#include "support/CatalogueSetup.h"
#include "support/Pixels.h"
#include "support/Program.h"

#include <gdiplus.h>

namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override { session_ = std::make_unique<GdiplusSession>(); }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<GdiplusSession> session_;
};
const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

COLORREF Rgb(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

class Painting : public ::testing::Test {
protected:
    void SetUp() override {
        SetIconParams(geometry);
        painter.PrepareColors();
        painter.Colours.VisualStyles = false;
        geometry.DropShadow = false;
        painter.Colours.ItemBackColor = 0xFF102030;
        painter.Colours.HighlightBackColor = 0xFF40A050;
        painter.Colours.WindowBackColor = RGB(1, 2, 3);
        SHFILEINFOA info = {};
        painter.LargeImages = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    }
    // A grid of columns x rows with one entry per slot in the given slots.
    void Layout(int columns, int rows, int quickRows, const std::vector<int>& slots, bool folders = false) {
        PanelGeometry& g = geometry;
        g.Columns = g.StoredColumns = columns;
        g.Rows = g.StoredRows = rows;
        g.QuickAreaHeight = quickRows * g.CellHeight;
        g.GridTop = ComputeGridTop(g);
        size = ComputeClientSize(g);
        entries.clear();
        painter.ForgetCells();
        for (int slot : slots) entries.push_back(EntryAtSlot(g, slot, "Entry " + std::to_string(slot), folders));
    }
    void Paint() {
        frame = std::make_unique<OffscreenBitmap>(nullptr, size.width, size.height);
        painter.PaintFrame(frame->Dc(), size.width, size.height);
        GdiFlush();
    }
    COLORREF At(int x, int y) const { return GetPixel(frame->Dc(), x, y); }
    // The smallest rectangle holding every pixel of [x0, x1) x [y0, y1) that is not the background.
    RECT InkBox(HDC dc, int x0, int y0, int x1, int y1, COLORREF background) const {
        RECT box{x1, y1, x0, y0};
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (GetPixel(dc, x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }
    // The ink of the entry's icon drawn alone, at the origin, on back.
    RECT IconInk(const TFolder& f, int size, COLORREF back) const {
        OffscreenBitmap alone(nullptr, size, size);
        RECT all{0, 0, size, size};
        UniqueGdiObject brush(CreateSolidBrush(back));
        FillRect(alone.Dc(), &all, static_cast<HBRUSH>(brush.Get()));
        ImageList_Draw(painter.LargeImages, f.IconIndex, alone.Dc(), 0, 0, ILD_TRANSPARENT);
        return InkBox(alone.Dc(), 0, 0, size, size, back);
    }
    int CountColour(int x0, int y0, int x1, int y1, COLORREF c) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += At(x, y) == c;
        return n;
    }

    std::vector<TFolder> entries;
    PanelGeometry geometry;
    PanelView view;
    unsigned entriesVersion = 0;
    PanelPainter painter{entries, entriesVersion, geometry, view};
    ClientSize size{};
    std::unique_ptr<OffscreenBitmap> frame;
};

}  // namespace

TEST_F(Painting, EntryBackgroundHighlightIconAndCaption) {
    // A cell 75 wide holds the 32-pixel icon at nearest(43 / 2) = 22, the half rounded to even.
    PanelGeometry& g = geometry;
    g.CellWidth = 75;
    ASSERT_EQ(g.IconWidth, 32);
    Layout(3, 3, 0, {1, 2});
    view.CurrentItem = 1;
    Paint();
    const TFolder& a = entries[0];
    const TFolder& b = entries[1];
    COLORREF back = Rgb(painter.Colours.ItemBackColor);
    EXPECT_EQ(At(a.CellX + 1, a.CellY + 1), back);
    EXPECT_EQ(At(b.CellX + 1, b.CellY + 1), Rgb(painter.Colours.HighlightBackColor));

    // The icon's own ink, drawn alone at the origin, lies at (22, 5) in the cell.
    RECT icon = IconInk(a, 32, back);
    ASSERT_LT(icon.left, icon.right) << "the icon has ink";
    RECT drawn = InkBox(frame->Dc(), a.CellX, a.CellY, a.CellX + g.CellWidth, a.CellY + 5 + 32, back);
    EXPECT_EQ(drawn.left - a.CellX, 22 + icon.left);
    EXPECT_EQ(drawn.top - a.CellY, 5 + icon.top);
    EXPECT_EQ(drawn.right - drawn.left, icon.right - icon.left);

    // The caption is centred both ways in the rectangle under the icon: x 0..75, y 42..cell bottom.
    ASSERT_EQ(static_cast<int>(a.TextRect.Y) - a.CellY, 32 + 2 * 5);
    RECT text = InkBox(frame->Dc(), a.CellX, a.CellY + 5 + 32, a.CellX + g.CellWidth, a.CellY + g.CellHeight, back);
    ASSERT_GT(text.right - text.left, 10) << "caption drawn in " << painter.Colours.MenuFontName << " " << painter.Colours.MenuFontSize << "pt";
    EXPECT_GE(text.top, a.CellY + 42) << "nothing between the icon and the caption rectangle";
    EXPECT_NEAR((text.left + text.right) / 2.0, a.CellX + g.CellWidth / 2.0, 2.5);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, a.CellY + 42 + (g.CellHeight - 42) / 2.0, 3.0);
}

// One block: the header's gradient and etched line, the ramp over it, the frame without a shadow.
TEST_F(Painting, OneBlockHasHeaderRampAndFrameButNoSeparator) {
    Layout(3, 3, 0, {});
    for (int k = 0; k < 6; ++k) painter.Colours.BorderRamp[k] = RGB(10 + k, 0, 0);
    COLORREF frameColour = GetSysColor(COLOR_ACTIVECAPTION);
    Paint();
    const PanelGeometry& g = geometry;
    EXPECT_EQ(At(10, 0), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(At(size.width - 1, g.HeaderHeight - 1), GetSysColor(COLOR_GRADIENTACTIVECAPTION));
    EXPECT_EQ(At(10, g.HeaderHeight), Rgb(painter.Colours.ShadowLineColor));
    EXPECT_EQ(At(10, g.HeaderHeight + 1), Rgb(painter.Colours.LightLineColor));
    // Below it the grid keeps the window background.
    EXPECT_EQ(CountColour(g.LeftMargin, g.HeaderHeight + 3, size.width - 1, size.height - 1,
                          Rgb(painter.Colours.ShadowLineColor)), 0);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(At(k, size.height / 2), RGB(10 + k, 0, 0)) << k;
        // Over the etched line under the header, which is painted before it.
        EXPECT_EQ(At(k, g.HeaderHeight), RGB(10 + k, 0, 0)) << k;
        EXPECT_EQ(At(k, g.HeaderHeight + 1), RGB(10 + k, 0, 0)) << k;
    }
    EXPECT_NE(At(0, 5), RGB(10, 0, 0)) << "the header is not part of the border";
    EXPECT_EQ(At(size.width - 1, size.height / 2), frameColour);
    EXPECT_EQ(At(size.width / 2, size.height - 1), frameColour);
    // The bottom line runs to LeftMargin, which a GDI line leaves out as its end point.
    EXPECT_EQ(At(g.LeftMargin + 1, size.height - 1), frameColour);
    EXPECT_EQ(At(g.LeftMargin, size.height - 1), RGB(1, 2, 3));
    geometry.DropShadow = true;
    Paint();
    EXPECT_NE(At(size.width - 1, size.height / 2), frameColour);
    EXPECT_NE(At(size.width / 2, size.height - 1), frameColour);
}

TEST_F(Painting, SeparatorsLieBetweenBlocksAndUnderTheQuickArea) {
    Layout(6, 6, 1, {});
    Paint();
    const PanelGeometry& g = geometry;
    int quickLine = g.QuickAreaHeight + g.HeaderHeight + g.BlockGap + 3;
    EXPECT_EQ(quickLine, g.GridTop - 1);
    EXPECT_EQ(At(g.BlockGap + 10, quickLine), Rgb(painter.Colours.LightLineColor));
    EXPECT_EQ(At(g.BlockGap + 10, quickLine - 1), Rgb(painter.Colours.ShadowLineColor));
    EXPECT_EQ(At(g.BlockGap - 1, quickLine - 1), RGB(1, 2, 3)) << "inset by the gap";
    EXPECT_EQ(At(g.BlockGap, quickLine), Rgb(painter.Colours.ShadowLineColor)) << "the light line starts one further in";
    EXPECT_EQ(At(g.BlockGap - 1, quickLine), RGB(1, 2, 3));
    int by = g.GridTop - g.BlockGap + (g.BlockHeight() + g.BlockGap);
    // Horizontal: 2 px into the gap, inset by the gap at its ends.
    int x = g.LeftMargin + g.BlockGap + 20;
    EXPECT_EQ(At(x, by + 2), Rgb(painter.Colours.ShadowLineColor));
    EXPECT_EQ(At(x, by + 3), Rgb(painter.Colours.LightLineColor));
    EXPECT_EQ(At(g.LeftMargin + 2, by + 2), RGB(1, 2, 3)) << "inset at the start";
    EXPECT_EQ(At(g.LeftMargin + g.BlockWidth() - g.BlockGap + 1, by + 2), RGB(1, 2, 3)) << "and at the end";
    // Vertical: 5 px left of the second block column.
    int bx = g.LeftMargin + (g.BlockWidth() + g.BlockGap);
    int y = g.GridTop - g.BlockGap + 2 * g.BlockGap + 20;
    // Which of the two columns is light depends on the platform's rotate-flip; both are there.
    std::set<COLORREF> pair{At(bx - 5, y), At(bx - 4, y)};
    EXPECT_EQ(pair, (std::set<COLORREF>{Rgb(painter.Colours.ShadowLineColor), Rgb(painter.Colours.LightLineColor)}));
    EXPECT_EQ(At(bx - 6, y), RGB(1, 2, 3));
    EXPECT_EQ(At(bx - 3, y), RGB(1, 2, 3));
    EXPECT_EQ(At(bx - 5, g.GridTop + 2), RGB(1, 2, 3)) << "inset by the gap";
    for (int past = 3; past <= 6; ++past) EXPECT_EQ(At(size.width - past, y), RGB(1, 2, 3)) << "none after the last block";
    // The separator images are kept between frames, and made anew for new colours or block sizes.
    painter.Colours.ShadowLineColor = 0xFF0A0B0C;
    Paint();
    EXPECT_EQ(At(x, by + 2), RGB(0x0A, 0x0B, 0x0C)) << "a new shadow colour, not the kept line";
    painter.Colours.LightLineColor = 0xFFC0B0A0;
    Paint();
    EXPECT_EQ(At(x, by + 3), RGB(0xC0, 0xB0, 0xA0)) << "a new light colour, not the kept line";
    geometry.CellWidth += 10;
    int longer = g.LeftMargin + g.BlockGap + (g.BlockWidth() - 2 * g.BlockGap) - 2;
    Paint();
    EXPECT_EQ(At(longer, by + 2), RGB(0x0A, 0x0B, 0x0C)) << "a wider block, a longer line";
}

// A frame painted only where the desktop shows it is, there, the whole frame pixel for pixel.
TEST_F(Painting, APartOfTheFrameIsThatPartOfTheWholeFrame) {
    Layout(9, 6, 1, {1, 2, 4, 8, 16, 23, 32, 41, 50, 54});
    entries[3].IsFolder = true;
    view.CurrentItem = 4;
    for (bool themed : {false, true}) {
        painter.Colours.VisualStyles = themed;
        Paint();
        std::vector<uint32_t> whole = Pixels(*frame, size.width, size.height);
        const int w = size.width, h = size.height;
        for (IntRect part : {IntRect{0, 0, w, h}, IntRect{137, 0, w, h}, IntRect{0, 61, w / 2, h},
                             IntRect{w / 3, h / 3, w - 7, h - 5}}) {
            int pw = part.right - part.left, ph = part.bottom - part.top;
            OffscreenBitmap buffer(nullptr, pw, ph);
            painter.PaintFrame(buffer.Dc(), w, h, part);
            GdiFlush();
            std::vector<uint32_t> got = Pixels(buffer, pw, ph);
            EXPECT_EQ(DifferingPixels({got, pw}, {whole, w, part.left, part.top}, pw, ph), 0u) << (themed ? "themed" : "classic") << " part from " << part.left << ","
                                     << part.top;
        }
    }
}

// Each look paints in the scheme's colours: the grid and the entries on the button face (on the
// window colour with visual styles), the highlighted entry, the captions and the etched lines.
TEST_F(Painting, EachLookPaintsInTheSchemesColours) {
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW)) << "the scheme tells them apart";
    for (bool themed : {false, true}) {
        SCOPED_TRACE(themed ? "visual styles" : "classic");
        painter.Colours.VisualStyles = themed;
        painter.TakeSchemeColours();
        Layout(6, 3, 0, {1, 2});
        view.CurrentItem = 1;
        Paint();
        const PanelGeometry& g = geometry;
        const TFolder& a = entries[0];
        const TFolder& b = entries[1];
        COLORREF back = GetSysColor(themed ? COLOR_WINDOW : COLOR_BTNFACE);
        EXPECT_EQ(At(a.CellX + 1, a.CellY + 1), back);
        EXPECT_EQ(At(a.CellX + 2 * g.CellWidth + 1, a.CellY + 1), back) << "the grid where no entry is";
        EXPECT_EQ(At(b.CellX + 1, b.CellY + 1), GetSysColor(COLOR_HIGHLIGHT));
        int captionTop = a.CellY + g.IconHeight + 2 * g.IconInset;
        EXPECT_GT(CountColour(a.CellX, captionTop, a.CellX + g.CellWidth, a.CellY + g.CellHeight,
                              GetSysColor(COLOR_WINDOWTEXT)), 0) << "the caption's ink";
        EXPECT_GT(CountColour(b.CellX, captionTop, b.CellX + g.CellWidth, b.CellY + g.CellHeight,
                              GetSysColor(COLOR_HIGHLIGHTTEXT)), 0) << "the highlighted caption's ink";
        if (!themed) {
            EXPECT_EQ(At(20, g.HeaderHeight), GetSysColor(COLOR_BTNSHADOW));
            EXPECT_EQ(At(20, g.HeaderHeight + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
        }
    }
}

// With visual styles the header is the theme's active caption and no etched line is drawn. Wine's
// theme has no start-panel class: there the quick-area strip is left out and the separators keep
// their etched image.
TEST_F(Painting, ThemedLookTakesItsHeaderFromTheTheme) {
    painter.PrepareColors();
    ThemeHandle window(nullptr, L"WINDOW"), panel(nullptr, L"STARTPANEL");
    ASSERT_TRUE(painter.Colours.VisualStyles && window.Get());
    const PanelGeometry& g = geometry;
    Layout(6, 6, 1, {});
    Paint();
    COLORREF back = painter.Colours.WindowBackColor;
    OffscreenBitmap expected(nullptr, size.width, g.HeaderHeight);
    RECT band{0, 0, size.width, g.HeaderHeight};
    UniqueGdiObject brush(CreateSolidBrush(back));
    FillRect(expected.Dc(), &band, static_cast<HBRUSH>(brush.Get()));
    DrawThemeBackground(window.Get(), expected.Dc(), WP_CAPTION, CS_ACTIVE, &band, nullptr);
    int differing = 0;
    for (int y = 0; y < g.HeaderHeight; ++y)
        for (int x = 0; x < size.width; ++x) differing += At(x, y) != GetPixel(expected.Dc(), x, y);
    EXPECT_EQ(differing, 0) << "the header";
    EXPECT_EQ(At(20, g.HeaderHeight), back) << "no etched line under the header";
    EXPECT_EQ(At(20, g.HeaderHeight + 1), back);
    int stripTop = g.GridTop - g.BlockGap;
    int by = g.GridTop - g.BlockGap + g.BlockHeight() + g.BlockGap;
    // Wine's styles have no start panel class: no themed strip over the gap, the etched separator.
    ASSERT_EQ(panel.Get(), nullptr);
    for (int y = stripTop - 2; y < stripTop + 4; ++y) EXPECT_EQ(At(40, y), back) << "no strip, no etched line";
    EXPECT_EQ(At(g.LeftMargin + g.BlockGap + 20, by + 2), Rgb(painter.Colours.ShadowLineColor)) << "the etched separator";
}

TEST_F(Painting, LeftBandIsThirtyPixelsWideFromSixtyBelowTheVisibleTop) {
    Layout(6, 6, 0, {});
    painter.Colours.WindowBackColor = RGB(255, 255, 255);
    painter.Colours.ItemBackColor = 0xFFFFFFFF;
    view.ScrollBand = 30;
    Paint();
    // Without a window there is no overhang to find: the band is painted at a known visible rectangle.
    IntRect visible{100, 0, size.width, size.height};
    {
        Gdiplus::Graphics g(frame->Dc());
        painter.DrawLeftArrow(g, visible);
    }
    GdiFlush();
    COLORREF back = At(120, 40);
    EXPECT_NE(At(110, 80), back) << "the band's gradient";
    EXPECT_EQ(At(110, 59), back) << "not above top + 60";
    EXPECT_EQ(At(131, 80), back) << "30 pixels wide";
    EXPECT_NE(At(129, 80), back);
    int cy = RoundHalfEven(size.height / 2.0);
    EXPECT_EQ(At(104, cy - 1), Rgb(painter.Colours.ItemTextColor)) << "the first chevron's outline";
    EXPECT_EQ(At(105, cy), Rgb(painter.Colours.HighlightTextColor)) << "and its filling";
}

TEST_F(Painting, KeptCellsFollowColourChangesAndRebuilds) {
    Layout(3, 3, 0, {1});
    Paint();
    const TFolder& a = entries[0];
    EXPECT_EQ(At(a.CellX + 1, a.CellY + 1), Rgb(painter.Colours.ItemBackColor));
    painter.Colours.ItemBackColor = 0xFF705030;
    Paint();
    EXPECT_EQ(At(entries[0].CellX + 1, entries[0].CellY + 1), RGB(0x70, 0x50, 0x30))
        << "a new colour is painted, not the kept cell";
    view.CurrentItem = 0;
    Paint();
    painter.Colours.HighlightBackColor = 0xFF123456;
    Paint();
    EXPECT_EQ(At(entries[0].CellX + 1, entries[0].CellY + 1), RGB(0x12, 0x34, 0x56))
        << "a new highlight colour is painted, not the kept highlighted cell";
    view.CurrentItem = -1;
    // Wholly on the desktop, a frame puts the scroll offsets back to 0 and paints the cells there.
    view.ScrollX = 30;
    view.ScrollY = -30;
    Paint();
    EXPECT_EQ(view.ScrollX, 0);
    EXPECT_EQ(view.ScrollY, 0);
    EXPECT_EQ(At(entries[0].CellX + 1, entries[0].CellY + 1), RGB(0x70, 0x50, 0x30));
    // Rebuilt as a folder: its mark, a small triangle right of the icon, not the kept file's cell.
    Layout(3, 3, 0, {1}, true);
    Paint();
    const TFolder& f = entries[0];
    int ax = f.CellX + geometry.CellWidth - 10, ay = f.CellY + RoundHalfEven(geometry.IconHeight / 2.0);
    COLORREF ink = Rgb(painter.Colours.ItemTextColor), back = RGB(0x70, 0x50, 0x30);
    EXPECT_EQ(At(ax, ay), ink);
    EXPECT_EQ(At(ax, ay + 5), ink);
    EXPECT_EQ(At(ax + 2, ay + 3), ink) << "the tip";
    EXPECT_EQ(At(ax + 3, ay + 3), ink) << "the middle line reaches past the tip";
    EXPECT_EQ(At(ax + 2, ay + 1), back) << "outside the triangle";
    EXPECT_EQ(At(ax - 1, ay + 3), back);
}


// Each cell of a frame, whether painted ahead or in the frame, normal or highlighted, is the
// entry's cell painted alone with no kept cell at all.
TEST_F(Painting, FramesOfKeptCellsShowEachEntryAsPaintedAlone) {
    Layout(6, 6, 1, {1, 2, 3, 5, 8, 13, 21, 34}, false);
    entries[2].IsFolder = true;
    EXPECT_EQ(painter.PaintCellsAhead(0, 5), 5u);
    EXPECT_EQ(painter.PaintCellsAhead(5, 24), entries.size()) << "stops at the last entry";
    for (int hovered : {3, 2, 3, 2}) {  // kept cells, and at last the second highlighted cell kept
        view.CurrentItem = hovered;
        Paint();
    }
    std::vector<uint32_t> all = Pixels(*frame, size.width, size.height);
    const PanelGeometry& g = geometry;
    OffscreenBitmap cell(nullptr, g.CellWidth, g.CellHeight);
    for (size_t n = 0; n < entries.size(); ++n) {
        const TFolder& f = entries[n];
        painter.PaintCell(cell.Dc(), f, static_cast<int>(n) == view.CurrentItem);
        std::vector<uint32_t> alone = Pixels(cell, g.CellWidth, g.CellHeight);
        EXPECT_EQ(DifferingPixels({all, size.width, f.CellX, f.CellY}, {alone, g.CellWidth}, g.CellWidth, g.CellHeight),
                  0u)
            << "entry " << n;
    }
}

// The header, the ramp and the frame are painted after the entries and separators, so they cover
// what is scrolled beneath them and look as in an unscrolled frame.
TEST_F(Painting, HeaderRampAndFrameCoverWhatIsScrolledBeneath) {
    std::vector<int> slots(36);
    for (int k = 0; k < 36; ++k) slots[static_cast<size_t>(k)] = k + 1;
    Layout(6, 6, 0, slots);
    painter.Colours.ItemBackColor = 0xFF00FF00;
    Paint();
    std::vector<uint32_t> still = Pixels(*frame, size.width, size.height);
    const PanelGeometry& g = geometry;
    // The second block row's separator 15 pixels into the header, the second block column's
    // under the ramp; entries then lie under both.
    view.OffDesktopX = view.OffDesktopY = true;
    view.ScrollY = 15 - (g.GridTop - g.BlockGap + g.BlockHeight() + g.BlockGap + 2);
    view.ScrollX = 2 - (g.LeftMargin + g.BlockWidth() + g.BlockGap - 5);
    view.ScrollBand = 0;
    Paint();
    std::vector<uint32_t> scrolled = Pixels(*frame, size.width, size.height);
    auto differing = [&](int x0, int y0, int x1, int y1) {
        return DifferingPixels({still, size.width, x0, y0}, {scrolled, size.width, x0, y0}, x1 - x0, y1 - y0);
    };
    // Without a window the visible rectangle is empty, so the bands' chevrons sit in the corner.
    EXPECT_EQ(differing(30, 0, size.width, g.HeaderHeight), 0u) << "the header";
    EXPECT_EQ(differing(0, g.HeaderHeight, 6, size.height), 0u) << "the ramp";
    EXPECT_EQ(differing(size.width - 1, g.HeaderHeight, size.width, size.height), 0u) << "the right frame line";
    EXPECT_NE(differing(6, g.HeaderHeight + 2, size.width - 1, size.height - 1), 0u) << "the grid did scroll";
}

// Kept cells share a few bitmaps (a process may hold 10,000 GDI objects on Windows XP), and each
// cell in them is its own entry's: the same pixels as that entry painted alone.
TEST_F(Painting, KeptCellsInSharedBitmapsLieWhereTheirEntriesDo) {
    std::vector<int> many;
    for (int slot = 1; slot <= 600; ++slot) many.push_back(slot);
    Layout(30, 21, 0, many);
    for (int hovered = 0; hovered < 40; ++hovered) {  // highlighted cells, more than are kept
        view.CurrentItem = hovered * 13;
        Paint();
    }
    // Three shared bitmaps of normal cells, one of highlighted ones, one to paint in: a DC each.
    EXPECT_EQ(painter.KeptCellObjects(), 2u * (3 + 1 + 1));
    view.CurrentItem = -1;
    Paint();
    std::vector<uint32_t> all = Pixels(*frame, size.width, size.height);
    int cw = geometry.CellWidth, ch = geometry.CellHeight;
    for (int index : {0, 17, 255, 256, 300, 599}) {
        int slot = many[static_cast<size_t>(index)];
        Layout(30, 21, 0, {slot});
        Paint();
        std::vector<uint32_t> alone = Pixels(*frame, size.width, size.height);
        const TFolder& f = entries[0];
        EXPECT_EQ(DifferingPixels({all, size.width, f.CellX, f.CellY}, {alone, size.width, f.CellX, f.CellY}, cw, ch), 0u)
            << "entry " << index;
    }
}

namespace {

// At 144 DPI each length is its figure at 96 DPI times 1.5, halves rounded up; the system's own
// spacing and icons follow the DPI by themselves.
int TimesOneAndAHalf(int figure) { return (3 * figure + 1) / 2; }

class PaintingAt144Dpi : public Painting {
protected:
    void SetUp() override {
        {
            WindowDc screen(nullptr);
            ASSERT_EQ(GetDeviceCaps(screen.Get(), LOGPIXELSY), 144) << "run in a process started at 144 DPI";
        }
        Painting::SetUp();
        TPanelLayout layout;
        layout.SetIconParams();
        layout.SetScreenSize();
        geometry = layout.Geometry();
        geometry.DropShadow = false;
    }
    const int cell = TimesOneAndAHalf(75), icon = TimesOneAndAHalf(32);
    const int header = TimesOneAndAHalf(30), gap = TimesOneAndAHalf(7), inset = TimesOneAndAHalf(5),
              line = TimesOneAndAHalf(1), margin = TimesOneAndAHalf(6);  // 45, 11, 8, 2, 9
};

}  // namespace

// Run by the next test in a process of its own (the system DPI is read when a process starts).
TEST_F(PaintingAt144Dpi, DISABLED_HeaderGapsCellsCaptionsRampAndFrame) {
    ASSERT_EQ(geometry.CellWidth, cell);
    ASSERT_EQ(geometry.CellHeight, cell);
    ASSERT_EQ(geometry.IconHeight, icon);
    int listWidth = 0, listHeight = 0;
    ImageList_GetIconSize(painter.LargeImages, &listWidth, &listHeight);
    ASSERT_EQ(listWidth, icon) << "the system's large image list follows the DPI";
    for (int k = 0; k < 6; ++k) painter.Colours.BorderRamp[k] = RGB(10 + k, 0, 0);
    Layout(6, 6, 0, {1, 3, 10}, true);
    EXPECT_EQ(size.width, 2 * gap + 6 * cell + margin);
    EXPECT_EQ(size.height, 2 * gap + 6 * cell + header);
    Paint();
    const COLORREF back = RGB(1, 2, 3), item = Rgb(painter.Colours.ItemBackColor);
    const COLORREF shadow = Rgb(painter.Colours.ShadowLineColor), light = Rgb(painter.Colours.LightLineColor);
    const int x = 200, gridTop = header + line + gap / 2;

    // The header band, then the etched line: shadow over light, a line width each.
    for (COLORREF c : {back, shadow, light}) EXPECT_NE(At(x, header - 1), c) << "the header's last row";
    EXPECT_EQ(At(x, header), shadow);
    EXPECT_EQ(At(x, header + line - 1), shadow);
    EXPECT_EQ(At(x, header + line), light);
    EXPECT_EQ(At(x, header + 2 * line - 1), light);
    EXPECT_EQ(At(x, header + 2 * line), back);

    // Cells from the grid's top; the block gap between the third and the fourth column.
    EXPECT_EQ(entries[0].CellX, margin);
    EXPECT_EQ(entries[0].CellY, gridTop);
    EXPECT_EQ(entries[2].CellX, margin + 3 * cell + gap);
    EXPECT_EQ(At(margin, gridTop), item);
    EXPECT_EQ(At(margin, gridTop - 1), back);
    int gapLeft = margin + 3 * cell, y = gridTop + 8;
    EXPECT_EQ(At(gapLeft - 1, y), item) << "the third cell's last column";
    for (int gx = gapLeft; gx < gapLeft + gap; ++gx) EXPECT_EQ(At(gx, y), back) << "the gap at " << gx;
    EXPECT_EQ(At(gapLeft + gap, y), item) << "the fourth cell's first column";
    // The vertical separator: 3 columns, 8 left of the next block, from two gaps below the gap's top.
    int bx = gapLeft + gap, sy = gridTop - gap + 2 * gap;
    for (int sx = bx - 8; sx < bx - 5; ++sx) {
        EXPECT_NE(At(sx, sy + 20), back) << "separator column " << sx;
        EXPECT_EQ(At(sx, sy - 1), back) << "inset by two gaps, column " << sx;
    }
    EXPECT_EQ(At(bx - 9, sy + 20), back);
    EXPECT_EQ(At(bx - 5, sy + 20), back);

    // The icon at nearest((113 - 48) / 2) = 32 (the half to even) and the inset; the caption under it.
    const TFolder& a = entries[0];
    RECT ink = IconInk(a, icon, item);
    ASSERT_LT(ink.left, ink.right) << "the icon has ink";
    RECT drawn = InkBox(frame->Dc(), a.CellX, a.CellY, a.CellX + cell - 20, a.CellY + inset + icon, item);
    EXPECT_EQ(drawn.left - a.CellX, 32 + ink.left);
    EXPECT_EQ(drawn.top - a.CellY, inset + ink.top);
    EXPECT_FLOAT_EQ(a.TextRect.Y - static_cast<float>(a.CellY), static_cast<float>(icon + 2 * inset));
    EXPECT_FLOAT_EQ(a.TextRect.Height, static_cast<float>(cell - icon - 2 * inset));
    RECT text = InkBox(frame->Dc(), a.CellX, a.CellY + inset + icon, a.CellX + cell, a.CellY + cell, item);
    ASSERT_GT(text.right - text.left, 15) << "caption drawn";
    EXPECT_GE(text.top, a.CellY + icon + 2 * inset);
    EXPECT_NEAR((text.left + text.right) / 2.0, a.CellX + cell / 2.0, 3.0);

    // The folder mark: 11 high, its left column 15 from the cell's right, its middle line 6 long.
    COLORREF mark = Rgb(painter.Colours.ItemTextColor);
    int ax = a.CellX + cell - TimesOneAndAHalf(10), ay = a.CellY + icon / 2, h = TimesOneAndAHalf(7);
    EXPECT_EQ(At(ax, ay), mark);
    EXPECT_EQ(At(ax, ay + h - 1), mark);
    EXPECT_EQ(At(ax, ay + h), item);
    EXPECT_EQ(At(ax + h / 2, ay + h / 2), mark) << "the middle line reaches past the tip";
    EXPECT_EQ(At(ax + h / 2 - 1, ay + 1), item) << "outside the triangle";

    // The ramp: six colours over nine columns, each colour one and a half columns on average.
    for (int rx = 0; rx < margin; ++rx) EXPECT_EQ(At(rx, size.height / 2), RGB(10 + 2 * rx / 3, 0, 0)) << rx;
    EXPECT_EQ(At(margin, size.height / 2), back);

    // The right and bottom frame, a line width each.
    COLORREF frameColour = GetSysColor(COLOR_ACTIVECAPTION);
    int w = size.width, ch = size.height;
    for (int k = 1; k <= line; ++k) {
        EXPECT_EQ(At(w - k, ch / 2), frameColour) << k;
        EXPECT_EQ(At(w / 2 + 20, ch - k), frameColour) << k;
    }
    EXPECT_NE(At(w - line - 1, ch / 2), frameColour);
    EXPECT_NE(At(w / 2 + 20, ch - line - 1), frameColour);
}

TEST_F(PaintingAt144Dpi, DISABLED_LeftBandIsFortyFivePixelsWideFromNinetyBelowTheVisibleTop) {
    Layout(6, 6, 0, {});
    painter.Colours.WindowBackColor = RGB(255, 255, 255);
    view.ScrollBand = TimesOneAndAHalf(30);
    Paint();
    IntRect visible{150, 0, size.width, size.height};
    {
        Gdiplus::Graphics g(frame->Dc());
        painter.DrawLeftArrow(g, visible);
    }
    GdiFlush();
    const COLORREF back = RGB(255, 255, 255);
    EXPECT_NE(At(150 + 44, 120), back) << "the band's gradient";
    EXPECT_EQ(At(150 + 45, 120), back) << "45 pixels wide";
    EXPECT_EQ(At(160, 89), back) << "not above top + 90";
    EXPECT_NE(At(160, 90), back);
    // Chevrons 9 deep, their tips 5 and 17 from the edge.
    int cy = RoundHalfEven(size.height / 2.0);
    COLORREF outline = Rgb(painter.Colours.ItemTextColor), fill = Rgb(painter.Colours.HighlightTextColor);
    EXPECT_EQ(At(155 + 1, cy - 1), outline) << "next to the first tip";
    EXPECT_EQ(At(155 - 1, cy - 1), At(155 - 1, cy + 30)) << "nothing before the tip";
    EXPECT_EQ(At(155 + 8, cy - 8), outline) << "the base of the first, 9 lines from its tip";
    EXPECT_EQ(At(155 + 8, cy), fill);
    EXPECT_NE(At(155 + 9, cy - 8), outline) << "no tenth line";
    EXPECT_EQ(At(167 + 1, cy - 1), outline) << "the second tip, 12 further in";
    EXPECT_EQ(At(167 + 8, cy + 8), outline);
}

TEST(Dpi, PaintingAt144DpiInAProcessStartedAtThatDpi) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    DWORD code = 0;
    std::string out;
    {
        NewProcessDpi at144(144);
        out = RunCaptured(std::string("\"") + exe +
                              "\" --gtest_color=no --gtest_also_run_disabled_tests --gtest_filter=PaintingAt144Dpi.*",
                          120000, code);
    }
    EXPECT_EQ(code, 0u) << out;
    EXPECT_NE(out.find("[  PASSED  ] 2 tests."), std::string::npos) << out;
}

TEST(CellAtlas, PagesOfSixteenBySixteenCellsOnlyAsTallAsNeeded) {
    CellAtlas atlas;
    atlas.Reset(75, 70, 600);
    // Where each cell lies is the painting tests' to show; here: no two cells share a place.
    std::set<std::tuple<HDC, int, int>> places;
    for (size_t i = 0; i < 600; ++i) {
        CellPlace p = atlas.Place(nullptr, i);
        places.insert({p.dc, p.x, p.y});
    }
    EXPECT_EQ(places.size(), 600u);
    EXPECT_EQ(atlas.Pages(), 3u);
    BITMAP last = {};
    GetObject(GetCurrentObject(atlas.Place(nullptr, 599).dc, OBJ_BITMAP), sizeof last, &last);
    EXPECT_EQ(last.bmWidth, 16 * 75);
    EXPECT_EQ(last.bmHeight, 6 * 70) << "600 - 512 = 88 cells: six rows";
    EXPECT_FALSE(atlas.Has(3));
    atlas.MarkPainted(3);
    EXPECT_TRUE(atlas.Has(3));
    atlas.Reset(75, 70, 10);
    EXPECT_FALSE(atlas.Has(3));
    EXPECT_EQ(atlas.Pages(), 0u);
}
