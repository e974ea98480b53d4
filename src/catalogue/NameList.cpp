#include "catalogue/NameList.h"

#include <algorithm>

size_t TNameList::LowerBound(const std::string& name) const {
    auto it = std::lower_bound(names_.begin(), names_.end(), name,
                               [this](const std::string& a, const std::string& b) { return compare_(a, b) < 0; });
    return static_cast<size_t>(it - names_.begin());
}

int TNameList::IndexOf(const std::string& name) const {
    if (sorted_) {
        size_t i = LowerBound(name);
        return i < names_.size() && compare_(names_[i], name) == 0 ? static_cast<int>(i) : -1;
    }
    for (size_t i = 0; i < names_.size(); ++i)
        if (compare_(names_[i], name) == 0) return static_cast<int>(i);
    return -1;
}

void TNameList::Add(const std::string& name) {
    if (!sorted_) {
        if (unsortedIndex_.insert(name).second) names_.push_back(name);
        return;
    }
    size_t i = LowerBound(name);
    if (i < names_.size() && compare_(names_[i], name) == 0) return;
    names_.insert(names_.begin() + static_cast<long>(i), name);
}

void TNameList::Delete(int index) {
    if (!sorted_) unsortedIndex_.erase(names_[static_cast<size_t>(index)]);
    names_.erase(names_.begin() + index);
}

void TNameList::Remove(const std::string& name) {
    int i = IndexOf(name);
    if (i >= 0) Delete(i);
}

void TNameList::Sort() {
    std::stable_sort(names_.begin(), names_.end(),
                     [this](const std::string& a, const std::string& b) { return compare_(a, b) < 0; });
    sorted_ = true;
    unsortedIndex_.clear();
}
