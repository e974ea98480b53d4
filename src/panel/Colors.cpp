// The panel's colours and menu font, taken from the system before every show.
#include <windows.h>

#include <cmath>

#include "panel/Painter.h"
#include "panel/LabColor.h"
#include "platform/Gdi.h"
#include "platform/Guarded.h"

namespace {
uint32_t Argb(int systemColour) {
    COLORREF c = GetSysColor(systemColour);
    return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
}  // namespace

void PanelPainter::PrepareColors() {
    // The font step first; the rest goes on even if the system cannot answer.
    int dpi = 96;
    {
        WindowDc screen(nullptr);
        if (screen.Get()) dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = 340;  // the size known to every system from Windows 2000 on
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        Colours.MenuFontName = std::string(metrics.lfMenuFont.lfFaceName, strnlen(metrics.lfMenuFont.lfFaceName, 32));
        Colours.MenuFontSize = RoundHalfEven(-metrics.lfMenuFont.lfHeight * 72.0 / (dpi ? dpi : 96));
    }
    font_.reset();  // the menu font may have changed
    fontFamily_.reset();
    lineLook_ = {};  // and the theme's separator: the kept images are made anew
    Colours.VisualStyles = VisualStylesActive();
    TakeSchemeColours();
}

void PanelPainter::TakeSchemeColours() {
    Colours.WindowBackColor = GetSysColor(Colours.VisualStyles ? COLOR_WINDOW : COLOR_BTNFACE);
    auto ramp = ComputeBorderRamp(GetSysColor(COLOR_ACTIVECAPTION));
    for (int k = 0; k < 6; ++k) Colours.BorderRamp[k] = ramp[static_cast<size_t>(k)];
    Colours.ItemTextColor = Argb(COLOR_WINDOWTEXT);
    Colours.ItemBackColor = Argb(Colours.VisualStyles ? COLOR_WINDOW : COLOR_BTNFACE);
    Colours.HighlightTextColor = Argb(COLOR_HIGHLIGHTTEXT);
    Colours.HighlightBackColor = Argb(COLOR_HIGHLIGHT);
    Colours.LightLineColor = Argb(COLOR_BTNHIGHLIGHT);
    Colours.ShadowLineColor = Argb(COLOR_BTNSHADOW);
}
