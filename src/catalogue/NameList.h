// A list of unique names compared case-insensitively, with the sorted mode of the scanned lists.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

class TNameList {
public:
    // compare: <0, 0, >0; equal names are the same name.
    using Compare = std::function<int(const std::string&, const std::string&)>;
    explicit TNameList(Compare compare)
        : compare_(std::move(compare)),
          unsortedIndex_([this](const std::string& a, const std::string& b) { return compare_(a, b) < 0; }) {}
    TNameList(const TNameList& o) : TNameList(o.compare_) { *this = o; }
    TNameList& operator=(const TNameList& o) {
        names_ = o.names_;
        sorted_ = o.sorted_;
        unsortedIndex_.clear();
        if (!sorted_) unsortedIndex_.insert(names_.begin(), names_.end());
        return *this;
    }

    // Adds the name unless the list holds it already; in sorted mode at its place.
    void Add(const std::string& name);
    int IndexOf(const std::string& name) const;  // -1 when absent
    bool Contains(const std::string& name) const { return sorted_ ? IndexOf(name) >= 0 : unsortedIndex_.count(name) > 0; }
    void Delete(int index);
    void Remove(const std::string& name);
    void Clear() {
        names_.clear();
        unsortedIndex_.clear();
    }
    // Sorts ascending and keeps the list sorted from now on.
    void Sort();
    bool Sorted() const { return sorted_; }

    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& operator[](int i) const { return names_[static_cast<size_t>(i)]; }
    const std::vector<std::string>& Names() const { return names_; }

private:
    // First position whose name is not below the given one (sorted mode).
    size_t LowerBound(const std::string& name) const;

    Compare compare_;
    std::vector<std::string> names_;
    // Unsorted mode: the same names in order, so that the duplicate check of Add is no scan.
    std::set<std::string, std::function<bool(const std::string&, const std::string&)>> unsortedIndex_;
    bool sorted_ = false;
};

// The user's locale collation, ignoring case (CompareString with NORM_IGNORECASE).
int CompareNamesInLocale(const std::string& a, const std::string& b);
