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

// A read-back with its row width, seen from (x, y).
struct PixelsAt {
    const std::vector<uint32_t>& px;
    int rowWidth, x = 0, y = 0;
};

// How many pixels of a width x height window differ between two read-backs, the alpha byte aside.
inline size_t DifferingPixels(PixelsAt a, PixelsAt b, int width, int height) {
    auto at = [](const PixelsAt& p, int x, int y) {
        return p.px[static_cast<size_t>(p.y + y) * static_cast<size_t>(p.rowWidth) + static_cast<size_t>(p.x + x)] &
               0xFFFFFF;
    };
    size_t n = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) n += at(a, x, y) != at(b, x, y);
    return n;
}
