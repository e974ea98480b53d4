// Painting the panel: one double-buffered frame, single entries, separators, border and header.
#include <windows.h>
#include <gdiplus.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <memory>

#include "panel/Painter.h"
#include "platform/Error.h"
#include "platform/Gdi.h"
#include "platform/Guarded.h"
#include "platform/Text.h"

using namespace Gdiplus;

namespace {

Color Of(uint32_t argb) { return Color(static_cast<ARGB>(argb)); }
Color OfSystem(int index) {
    COLORREF c = GetSysColor(index);
    return Color(255, GetRValue(c), GetGValue(c), GetBValue(c));
}

void Line(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2) {
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, colour));
    Selection use(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void FillColour(HDC dc, COLORREF colour, int left, int top, int right, int bottom) {
    UniqueGdiObject brush(CreateSolidBrush(colour));
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

// The etched pair: a shadow line over a light one, one line width each; the light one starts a
// line width further in. A pen covers the rows whose centres lie within its width.
void EtchedLine(Graphics& g, int lineWidth, uint32_t shadow, uint32_t light, int x1, int x2, int y) {
    Pen pen(Of(shadow), static_cast<REAL>(2 * lineWidth));
    g.DrawLine(&pen, x1, y, x2, y);
    pen.SetWidth(static_cast<REAL>(lineWidth));
    pen.SetColor(Of(light));
    REAL lightY = static_cast<REAL>(y) + static_cast<REAL>(lineWidth - 1) / 2;
    g.DrawLine(&pen, static_cast<REAL>(x1 + lineWidth), lightY, static_cast<REAL>(x2), lightY);
}

}  // namespace

PanelPainter::PanelPainter(const std::vector<TFolder>& entries, const unsigned& entriesVersion,
                           const PanelGeometry& geometry,
                           PanelView& view)
    : entries_(entries), entriesVersion_(entriesVersion), geometry_(geometry), view_(view) {}

PanelPainter::~PanelPainter() = default;

void PanelPainter::FormPaint() {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(window_, &ps);
    RECT client;
    GetClientRect(window_, &client);
    // Only what the desktop shows is painted: a panel of thousands of entries reaches far past it.
    IntRect part = VisiblePart();
    if (!part.Empty()) {
        int w = part.right - part.left, h = part.bottom - part.top;
        const OffscreenBitmap& buffer = FrameBuffer(screen, w, h);
        PaintFrame(buffer.Dc(), client.right, client.bottom, part);
        BitBlt(screen, part.left, part.top, w, h, buffer.Dc(), 0, 0, SRCCOPY);
    }
    EndPaint(window_, &ps);
}

IntRect PanelPainter::VisiblePart() const {
    RECT client{};
    if (window_) GetClientRect(window_, &client);
    IntRect part = DesktopPartOfClient(PlaceOfWindow(window_));
    part.right = std::min<int>(part.right, client.right);
    part.bottom = std::min<int>(part.bottom, client.bottom);
    return part.Empty() ? IntRect{0, 0, 0, 0} : part;
}

bool PanelPainter::CellShows(size_t index, const IntRect& part) const {
    const TFolder& f = entries_[index];
    return part.Meets(f.CellX + view_.ScrollX, f.CellY + view_.ScrollY, geometry_.CellWidth, geometry_.CellHeight);
}

const OffscreenBitmap& PanelPainter::FrameBuffer(HDC compatible, int width, int height) {
    // Kept between frames: a new buffer of a large panel costs more than the frame itself, in
    // the first touch of its pages, which is done here.
    if (!frameBuffer_ || frameBufferSize_.width != width || frameBufferSize_.height != height) {
        frameBuffer_.reset();
        frameBuffer_ = std::make_unique<OffscreenBitmap>(compatible, width, height);
        PatBlt(frameBuffer_->Dc(), 0, 0, width, height, BLACKNESS);
        frameBufferSize_ = {width, height};
    }
    return *frameBuffer_;
}

void PanelPainter::PaintFrame(HDC dc, int cw, int ch) { PaintFrame(dc, cw, ch, IntRect{0, 0, cw, ch}); }

void PanelPainter::PaintFrame(HDC dc, int cw, int ch, const IntRect& part) {
    canvas_ = dc;
    canvasWidth_ = cw;
    canvasHeight_ = ch;
    POINT origin{};
    SetViewportOrgEx(dc, -part.left, -part.top, &origin);  // the client's coordinates throughout
    Guarded("FormPaint", [&] {
        const PanelGeometry& g = geometry_;
        UniqueGdiObject back(CreateSolidBrush(Colours.WindowBackColor));
        RECT all{0, 0, cw, ch};
        FillRect(dc, &all, static_cast<HBRUSH>(back.Get()));
        IntRect visible{0, 0, cw, ch};
        bool bands = view_.OffDesktopX || view_.OffDesktopY;
        if (bands) {
            PanelPlace place = PlaceOfWindow(window_);
            UpdateArrowFlags(view_, place);
            visible = VisibleClientRect(place, view_.ScrollX, view_.ScrollY);
        } else {
            view_.ScrollX = 0;
            view_.ScrollY = 0;
        }
        Graphics surface(dc);
        if (Colours.VisualStyles && g.QuickAreaHeight > 0) {
            ThemeHandle theme(window_, L"STARTPANEL");
            int top = view_.ScrollY + g.GridTop - g.BlockGap;
            RECT strip{g.LeftMargin - g.Px(4), top, cw, top + g.Px(3)};
            if (theme.Get()) DrawThemeBackground(theme.Get(), dc, SPP_PROGLIST, 0, &strip, nullptr);
        }
        for (size_t i = 0; i < entries_.size(); ++i)
            if (CellShows(i, part)) RedrawItem(false, static_cast<int>(i));
        size_t current = static_cast<size_t>(view_.CurrentItem);
        if (view_.CurrentItem >= 0 && (current >= entries_.size() || CellShows(current, part))) RedrawItem(true, -1);
        DrawLines();
        DrawPanel();
        if (!g.DropShadow) {
            // The right frame from under the header, then the bottom one up to the ramp.
            COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
            int w = g.LineWidth;
            FillColour(dc, caption, cw - w, g.HeaderHeight, cw, ch - w);
            FillColour(dc, caption, g.LeftMargin + w, ch - w, cw, ch);
        }
        if (!Colours.VisualStyles) {
            EtchedLine(surface, g.LineWidth, Colours.ShadowLineColor, Colours.LightLineColor, 0, cw,
                       g.HeaderHeight + g.LineWidth);
            if (g.QuickAreaHeight > 0) {
                int y = view_.ScrollY + g.QuickAreaHeight + g.HeaderHeight + g.BlockGap + g.Px(3);
                EtchedLine(surface, g.LineWidth, Colours.ShadowLineColor, Colours.LightLineColor, g.BlockGap,
                           cw - g.BlockGap, y);
            }
        }
        DrawBorderLines();
        if (bands) {
            if (view_.Arrows.left) DrawLeftArrow(surface, visible);
            if (view_.Arrows.right) DrawRightArrow(surface, visible);
            if (view_.Arrows.top) DrawTopArrow(surface, visible);
            if (view_.Arrows.bottom) DrawBottomArrow(surface, visible);
        }
    });
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    canvas_ = nullptr;
}

void PanelPainter::RedrawItem(bool highlighted, int index) {
    Guarded("RedrawItem", [&] {
        if (index == -1) index = view_.CurrentItem;
        if (index < 0) return;
        if (index >= static_cast<int>(entries_.size()))
            throw Error("List index out of bounds (" + std::to_string(index) + ")");
        const TFolder& f = entries_[static_cast<size_t>(index)];
        std::unique_ptr<WindowDc> windowDc;
        HDC dc = canvas_;
        if (!dc) {
            windowDc = std::make_unique<WindowDc>(window_);
            dc = windowDc->Get();
        }
        CellPlace cell = CellImage(dc, static_cast<size_t>(index), highlighted);
        BitBlt(dc, f.CellX + view_.ScrollX, f.CellY + view_.ScrollY, geometry_.CellWidth, geometry_.CellHeight, cell.dc,
               cell.x, cell.y, SRCCOPY);
    });
}

size_t PanelPainter::PaintCellsAhead(size_t from, size_t count) {
    size_t end = std::min(entries_.size(), from + count);
    if (from >= end) return end;
    // No paint is under way, so the cells are made for the screen; only those the desktop shows.
    WindowDc screen(nullptr);
    IntRect part = VisiblePart();
    for (size_t i = from; i < end; ++i)
        if (CellShows(i, part)) CellImage(screen.Get(), i, false);
    return end;
}

void PanelPainter::PrepareFrameBuffer() {
    IntRect part = VisiblePart();
    if (part.Empty()) return;
    WindowDc screen(nullptr);
    FrameBuffer(screen.Get(), part.right - part.left, part.bottom - part.top);
}

size_t PanelPainter::KeptCellObjects() const {
    return 2 * (cells_.Pages() + highlightedCells_.Pages() + (cellScratch_ ? 1 : 0));
}

CellPlace PanelPainter::CellImage(HDC dc, size_t index, bool highlighted) {
    const PanelGeometry& g = geometry_;
    CellLook look{Colours.ItemTextColor, Colours.ItemBackColor, Colours.HighlightTextColor, Colours.HighlightBackColor, Colours.MenuFontName,
                  Colours.MenuFontSize,  LargeImages,   g.CellWidth,        g.CellHeight, entriesVersion_};
    if (!(look == cellLook_)) {
        cells_.Reset(g.CellWidth, g.CellHeight, entries_.size());
        highlightedCells_.Reset(g.CellWidth, g.CellHeight);
        cellScratch_.reset();
        cellLook_ = look;
    }
    CellPlace place;
    if (highlighted ? highlightedCells_.Find(index, place) : cells_.Has(index))
        return highlighted ? place : cells_.Place(dc, index);
    place = highlighted ? highlightedCells_.Take(dc, index) : cells_.Place(dc, index);
    // Painted alone at the origin of a bitmap of its own size, then kept in the shared one.
    if (!cellScratch_) cellScratch_ = std::make_unique<OffscreenBitmap>(dc, g.CellWidth, g.CellHeight);
    PaintCell(cellScratch_->Dc(), entries_[index], highlighted);
    BitBlt(place.dc, place.x, place.y, g.CellWidth, g.CellHeight, cellScratch_->Dc(), 0, 0, SRCCOPY);
    if (!highlighted) cells_.MarkPainted(index);
    return place;
}

// The cell alone, at the origin of dc: background, icon, folder mark, caption.
void PanelPainter::PaintCell(HDC dc, const TFolder& f, bool highlighted) {
    const PanelGeometry& g = geometry_;
    Color text = Of(highlighted ? Colours.HighlightTextColor : Colours.ItemTextColor);
    {
        Graphics surface(dc);
        SolidBrush back(Of(highlighted ? Colours.HighlightBackColor : Colours.ItemBackColor));
        surface.FillRectangle(&back, 0, 0, g.CellWidth, g.CellHeight);
    }
    ImageList_Draw(LargeImages, f.IconIndex, dc, RoundHalfEven((g.CellWidth - g.IconWidth) / 2.0), g.IconInset,
                   ILD_TRANSPARENT);
    Graphics surface(dc);
    StringFormat format(0);
    format.SetAlignment(StringAlignmentCenter);
    format.SetLineAlignment(StringAlignmentCenter);
    SolidBrush textBrush(text);
    Pen pen(text, 1);
    if (f.IsFolder) {
        // A triangle pointing right, 7 pixels high at 96 DPI, drawn column by column.
        int ax = g.CellWidth - g.Px(10), ay = RoundHalfEven(g.IconHeight / 2.0);
        int height = g.Px(7), half = height / 2;
        for (int m = 0; m < half; ++m) surface.DrawLine(&pen, ax + m, ay + m, ax + m, ay + height - 1 - m);
        surface.DrawLine(&pen, ax, ay + half, ax + half, ay + half);
    }
    RectF rect(f.TextRect.X - f.CellX, f.TextRect.Y - f.CellY, f.TextRect.Width, f.TextRect.Height);
    std::wstring caption = f.WideCaption.empty() ? ToWide(f.Caption) : f.WideCaption;
    surface.DrawString(caption.c_str(), -1, &CaptionFont(dc), rect, &format, &textBrush);
}

const Font& PanelPainter::CaptionFont(HDC dc) {
    if (font_) return *font_;
    // A face GDI+ cannot find as a family (a logical name such as "MS Shell Dlg") goes through
    // GDI's font mapping instead, at the same size.
    fontFamily_ = std::make_shared<FontFamily>(ToWide(Colours.MenuFontName).c_str());
    font_ = std::make_shared<Font>(fontFamily_.get(), static_cast<REAL>(Colours.MenuFontSize), FontStyleRegular, UnitPoint);
    if (fontFamily_->GetLastStatus() != Ok || font_->GetLastStatus() != Ok) {
        LOGFONTA logFont = {};
        lstrcpynA(logFont.lfFaceName, Colours.MenuFontName.c_str(), LF_FACESIZE);
        logFont.lfHeight = -MulDiv(Colours.MenuFontSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
        logFont.lfCharSet = DEFAULT_CHARSET;
        font_ = std::make_shared<Font>(dc, &logFont);
    }
    return *font_;
}

void PanelPainter::DrawLines() {
    Guarded("DrawLines", [&] {
        const PanelGeometry& g = geometry_;
        int length = g.BlockWidth() - 2 * g.BlockGap;
        if (length < 2) return;
        LineLook look{Colours.VisualStyles, Colours.ShadowLineColor, Colours.LightLineColor, length};
        if (!horizontalLine_ || !(look == lineLook_)) MakeLines(look);
        Bitmap* horizontal = horizontalLine_.get();
        Bitmap* vertical = verticalLine_.get();
        int thickness = g.Px(lineThickness_);
        Graphics surface(canvas_);
        // Whole pixels: the images are drawn at their own thickness, never blended across rows.
        surface.SetInterpolationMode(InterpolationModeNearestNeighbor);
        surface.SetPixelOffsetMode(PixelOffsetModeHalf);
        for (int i = 0; i < g.Columns / 3; ++i)
            for (int j = 0; j < g.Rows / 3; ++j) {
                int bx = view_.ScrollX + g.LeftMargin + i * (g.BlockWidth() + g.BlockGap);
                int by = view_.ScrollY + g.GridTop - g.BlockGap + j * (g.BlockHeight() + g.BlockGap);
                if (j > 0) surface.DrawImage(horizontal, Rect(bx + g.BlockGap, by + g.Px(2), length, thickness));
                if (i > 0) surface.DrawImage(vertical, Rect(bx - g.Px(5), by + 2 * g.BlockGap, thickness, length));
            }
    });
}

void PanelPainter::MakeLines(const LineLook& look) {
    horizontalLine_.reset();
    verticalLine_.reset();
    int length = look.length;
    // The themed separator where the style has one; the etched image otherwise.
    OffscreenBitmap strip(canvas_, 160, 1);
    ThemeHandle theme(window_, L"STARTPANEL");
    RECT over{-12, 0, 170, 1};
    bool themed = look.styles && theme.Get() &&
                  SUCCEEDED(DrawThemeBackground(theme.Get(), strip.Dc(), SPP_PROGLISTSEPARATOR, 0, &over, nullptr));
    std::unique_ptr<Bitmap> horizontal, vertical;
    if (themed) {
        lineThickness_ = 1;
        Bitmap source(strip.Bitmap(), nullptr);
        horizontal = std::make_unique<Bitmap>(length, 1, PixelFormat32bppARGB);
        Graphics(horizontal.get()).DrawImage(&source, 0, 0, length - 1, 1);
        vertical.reset(horizontal->Clone(0, 0, length - 1, 1, PixelFormat32bppARGB));
    } else {
        lineThickness_ = 2;
        horizontal = std::make_unique<Bitmap>(length, 2, PixelFormat32bppARGB);
        {
            Graphics image(horizontal.get());
            EtchedLine(image, 1, look.shadow, look.light, 0, length, 1);  // stretched when drawn
        }
        vertical.reset(horizontal->Clone(0, 0, length, 2, PixelFormat32bppARGB));
    }
    vertical->RotateFlip(Rotate90FlipX);
    horizontalLine_ = std::move(horizontal);
    verticalLine_ = std::move(vertical);
    lineLook_ = look;
}

void PanelPainter::DrawBorderLines() {
    Guarded("DrawBorderLines", [&] {
        // The six colours side by side over the margin: one column each at 96 DPI.
        int width = geometry_.LeftMargin;
        for (int x = 0; x < width; ++x)
            Line(canvas_, Colours.BorderRamp[x * 6 / width], x, geometry_.HeaderHeight, x, canvasHeight_);
    });
}

void PanelPainter::DrawPanel() {
    Guarded("DrawPanel", [&] {
        int height = geometry_.HeaderHeight;
        if (Colours.VisualStyles) {
            ThemeHandle theme(window_, L"WINDOW");
            RECT band{0, 0, canvasWidth_, height};
            if (theme.Get()) DrawThemeBackground(theme.Get(), canvas_, WP_CAPTION, CS_ACTIVE, &band, nullptr);
            return;
        }
        Graphics surface(canvas_);
        LinearGradientBrush brush(Gdiplus::Point(0, 0), Gdiplus::Point(canvasWidth_, height), OfSystem(COLOR_ACTIVECAPTION),
                                  OfSystem(COLOR_GRADIENTACTIVECAPTION));
        brush.SetWrapMode(WrapModeTile);
        surface.FillRectangle(&brush, 0, 0, canvasWidth_, height);
    });
}
