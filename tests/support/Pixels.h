// A bitmap's pixels read back row by row from the top, 0x00RRGGBB in the low bytes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/Gdi.h"

inline std::vector<uint32_t> Pixels(const OffscreenBitmap& b, int width, int height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> px(static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(b.Dc(), b.Bitmap(), 0, static_cast<UINT>(height), px.data(), &bi, DIB_RGB_COLORS);
    return px;
}
