#include "panel/CellAtlas.h"

#include <algorithm>
#include <cstdint>

void CellAtlas::Reset(int cellWidth, int cellHeight, size_t count) {
    width_ = cellWidth;
    height_ = cellHeight;
    count_ = count;
    pages_.clear();
    painted_.assign(count, false);
}

CellPlace CellAtlas::Place(HDC compatible, size_t index) {
    if (index >= count_) Reset(width_, height_, index + 1);  // the list grew without a Reset
    size_t page = index / kPerPage, within = index % kPerPage;
    if (pages_.size() <= page) pages_.resize(page + 1);
    if (!pages_[page]) {
        size_t cells = std::min(kPerPage, count_ - page * kPerPage);
        int rows = static_cast<int>((cells + kColumns - 1) / kColumns);
        pages_[page] = std::make_unique<OffscreenBitmap>(compatible, width_ * kColumns, height_ * rows);
    }
    return {pages_[page]->Dc(), static_cast<int>(within % kColumns) * width_,
            static_cast<int>(within / kColumns) * height_};
}

void CellAtlas::MarkPainted(size_t index) {
    if (index < painted_.size()) painted_[index] = true;
}

size_t CellAtlas::Pages() const {
    return static_cast<size_t>(std::count_if(pages_.begin(), pages_.end(), [](const auto& p) { return p != nullptr; }));
}

void CellRing::Reset(int cellWidth, int cellHeight) {
    width_ = cellWidth;
    height_ = cellHeight;
    page_.reset();
    owner_.assign(kSlots, SIZE_MAX);
    next_ = 0;
}

bool CellRing::Find(size_t index, CellPlace& place) const {
    for (int s = 0; s < static_cast<int>(owner_.size()); ++s)
        if (owner_[static_cast<size_t>(s)] == index) {
            place = {page_->Dc(), s * width_, 0};
            return true;
        }
    return false;
}

CellPlace CellRing::Take(HDC compatible, size_t index) {
    if (!page_) page_ = std::make_unique<OffscreenBitmap>(compatible, width_ * kSlots, height_);
    int s = next_;
    next_ = (next_ + 1) % kSlots;
    owner_[static_cast<size_t>(s)] = index;
    return {page_->Dc(), s * width_, 0};
}
