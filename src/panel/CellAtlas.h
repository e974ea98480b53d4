// Painted cells kept for the frames, many to one shared bitmap. A bitmap and its DC are two GDI
// objects, and Windows XP allows a process 10,000: one pair per cell ran out at a few thousand
// entries. Here the objects grow by one pair per 256 entries.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Gdi.h"

struct CellPlace {
    HDC dc = nullptr;  // not owned: the atlas page's
    int x = 0, y = 0;
};

// Cells by entry index: pages of 16 x 16 cells, each made when its first cell is kept and only
// as tall as the entries it can hold.
class CellAtlas {
public:
    // Forgets every cell and page; the next cells have this size, count entries in all.
    void Reset(int cellWidth, int cellHeight, size_t count);
    bool Has(size_t index) const { return index < painted_.size() && painted_[index]; }
    // Where the cell is or is to be painted; its page is made (compatible with dc) when missing.
    CellPlace Place(HDC compatible, size_t index);
    void MarkPainted(size_t index);
    size_t Pages() const;

    static constexpr int kColumns = 16;
    static constexpr size_t kPerPage = 256;

private:
    int width_ = 0, height_ = 0;
    size_t count_ = 0;
    std::vector<std::unique_ptr<OffscreenBitmap>> pages_;
    std::vector<bool> painted_;
};

// A few cells kept by entry index, the oldest given up for a new one: the highlighted look,
// which only the entries under the pointer take.
class CellRing {
public:
    void Reset(int cellWidth, int cellHeight);
    bool Find(size_t index, CellPlace& place) const;
    // The place for the cell, taking the oldest slot; the page is made when missing.
    CellPlace Take(HDC compatible, size_t index);
    size_t Pages() const { return page_ ? 1 : 0; }

    static constexpr int kSlots = 16;

private:
    int width_ = 0, height_ = 0;
    std::unique_ptr<OffscreenBitmap> page_;
    // The entry index of each slot; SIZE_MAX when free.
    std::vector<size_t> owner_ = std::vector<size_t>(kSlots, SIZE_MAX);
    int next_ = 0;
};
