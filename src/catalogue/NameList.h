// A list of unique names compared case-insensitively, with the sorted mode of the scanned lists.
#pragma once
#include <functional>
#include <string>
#include <vector>

class TNameList {
public:
    // compare: <0, 0, >0; equal names are the same name.
    using Compare = std::function<int(const std::string&, const std::string&)>;
    explicit TNameList(Compare compare) : compare_(std::move(compare)) {}

    // Adds the name unless the list holds it already; in sorted mode at its place.
    void Add(const std::string& name);
    int IndexOf(const std::string& name) const;  // -1 when absent
    bool Contains(const std::string& name) const { return IndexOf(name) >= 0; }
    void Delete(int index);
    void Remove(const std::string& name);
    void Clear() { names_.clear(); }
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
    bool sorted_ = false;
};

// The user's locale collation, ignoring case (CompareString with NORM_IGNORECASE).
int CompareNamesInLocale(const std::string& a, const std::string& b);
