#include "platform/Gdi.h"

#include <gdiplus.h>

OffscreenBitmap::OffscreenBitmap(HDC compatible, int width, int height)
    : dc_(CreateCompatibleDC(compatible)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dc_ && bitmap_) old_ = SelectObject(dc_.Get(), bitmap_.Get());
}

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiplusSession::~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

bool VisualStylesActive() { return IsThemeActive() && IsAppThemed(); }
