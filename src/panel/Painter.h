// The panel's painter: the colours and font of the look, the kept cells and the frame buffer, and
// every painted element. It reads the entries and the geometry; of the view it sets only what a
// frame finds (the arrow flags, the scroll offsets of a panel back on the desktop).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/Folder.h"
#include "panel/CellAtlas.h"
#include "panel/Geometry.h"
#include "panel/PanelView.h"
#include "panel/ScrollBands.h"
#include "platform/Gdi.h"

namespace Gdiplus {
class Bitmap;
class Graphics;
class Font;
class FontFamily;
}  // namespace Gdiplus

// Colours, refreshed by PrepareColors: references 0x00BBGGRR and GDI+ colours 0xAARRGGBB.
struct PanelColours {
    COLORREF BorderRamp[6] = {};
    COLORREF WindowBackColor = 0;
    uint32_t ItemTextColor = 0, ItemBackColor = 0, HighlightTextColor = 0, HighlightBackColor = 0,
             LightLineColor = 0, ShadowLineColor = 0;
    std::string MenuFontName;
    int MenuFontSize = 0;
    // Decided by PrepareColors; tests may set it to paint either way.
    bool VisualStyles = false;
};

class PanelPainter {
public:
    // Cells are kept while entriesVersion stays the same: a new version means new entries.
    PanelPainter(const std::vector<TFolder>& entries, const unsigned& entriesVersion, const PanelGeometry& geometry,
                 PanelView& view);
    ~PanelPainter();
    PanelPainter(const PanelPainter&) = delete;
    PanelPainter& operator=(const PanelPainter&) = delete;

    void SetWindow(HWND window) { window_ = window; }
    HIMAGELIST LargeImages = nullptr;  // the shared system list: borrowed, never destroyed
    PanelColours Colours;

    void PrepareColors();
    // The colour fields from the system's scheme, for the look Colours.VisualStyles names.
    void TakeSchemeColours();
    void FormPaint();
    // One whole frame into dc, client size width x height.
    void PaintFrame(HDC dc, int width, int height);
    // The part of that frame into dc, whose origin is the part's top left corner.
    void PaintFrame(HDC dc, int width, int height, const IntRect& part);
    void RedrawItem(bool highlighted, int index);
    // Paints up to count entries' normal cells from index from on, keeping them for the frames;
    // returns the index after the last one looked at.
    size_t PaintCellsAhead(size_t from, size_t count);
    // One cell alone, at the origin of dc, with no kept cell involved.
    void PaintCell(HDC dc, const TFolder& f, bool highlighted);
    // The frame buffer for the window's present place, made before it is needed.
    void PrepareFrameBuffer();
    // The painted cells are the old entries' after a rebuild.
    void ForgetCells() { cellLook_ = {}; }
    // GDI objects held by the kept cells (a bitmap and a DC per shared bitmap).
    size_t KeptCellObjects() const;
    void DrawLeftArrow(Gdiplus::Graphics& g, const IntRect& r);
    void DrawRightArrow(Gdiplus::Graphics& g, const IntRect& r);
    void DrawTopArrow(Gdiplus::Graphics& g, const IntRect& r);
    void DrawBottomArrow(Gdiplus::Graphics& g, const IntRect& r);

private:
    void DrawLines();
    void DrawBorderLines();
    void DrawPanel();
    void DrawBand(Gdiplus::Graphics& g, BandSide side, const IntRect& r);
    // Painted cells, kept while the entries and their look stay the same: a frame then only copies
    // them. A look of no cells (as after ForgetCells) forgets them.
    struct CellLook {
        uint32_t text, back, highlightText, highlightBack;
        std::string font;
        int fontSize;
        HIMAGELIST icons;
        int width, height;
        unsigned entriesVersion;
        bool operator==(const CellLook& o) const {
            return text == o.text && back == o.back && highlightText == o.highlightText &&
                   highlightBack == o.highlightBack && font == o.font && fontSize == o.fontSize && icons == o.icons &&
                   width == o.width && height == o.height && entriesVersion == o.entriesVersion;
        }
    };
    CellPlace CellImage(HDC dc, size_t index, bool highlighted);
    // The buffer a frame is painted in before it goes to the window, made anew only for a new size.
    const OffscreenBitmap& FrameBuffer(HDC compatible, int width, int height);
    // What the desktop shows of the window, in client coordinates.
    IntRect VisiblePart() const;
    bool CellShows(size_t index, const IntRect& part) const;
    // The caption font, made on first use after each PrepareColors.
    const Gdiplus::Font& CaptionFont(HDC dc);

    const std::vector<TFolder>& entries_;
    const unsigned& entriesVersion_;
    const PanelGeometry& geometry_;
    PanelView& view_;
    HWND window_ = nullptr;
    CellLook cellLook_{};
    std::unique_ptr<OffscreenBitmap> frameBuffer_;
    ClientSize frameBufferSize_{};
    CellAtlas cells_;
    CellRing highlightedCells_;
    std::unique_ptr<OffscreenBitmap> cellScratch_;  // a cell is painted here, then kept
    std::shared_ptr<Gdiplus::FontFamily> fontFamily_;
    std::shared_ptr<Gdiplus::Font> font_;
    // The surface painting goes to: the frame's buffer inside a paint, else the window.
    HDC canvas_ = nullptr;
    int canvasWidth_ = 0, canvasHeight_ = 0;
    // The separator images between frames, made anew when what they show from changes;
    // PrepareColors drops them, as the theme may have changed.
    struct LineLook {
        bool styles;
        uint32_t shadow, light;
        int length;
        bool operator==(const LineLook& o) const {
            return styles == o.styles && shadow == o.shadow && light == o.light && length == o.length;
        }
    };
    void MakeLines(const LineLook& look);
    LineLook lineLook_{};
    std::unique_ptr<Gdiplus::Bitmap> horizontalLine_, verticalLine_;
    int lineThickness_ = 0;
};
