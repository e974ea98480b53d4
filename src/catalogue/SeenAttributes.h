// The file attributes one rebuild has looked at.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>
#include <utility>

// Each path is looked at once per rebuild: the reconciliation and the entry list ask for the same
// paths, and under Wine each look searches directories. The rebuild owns it, so nothing seen
// outlives the rebuild that saw it.
class SeenAttributes {
public:
    // The path's attributes, null when it is not there.
    const WIN32_FILE_ATTRIBUTE_DATA* Of(const std::string& path) {
        auto found = seen_.find(path);
        if (found == seen_.end()) {
            WIN32_FILE_ATTRIBUTE_DATA a = {};
            bool there = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a) != 0;
            found = seen_.emplace(path, std::make_pair(there, a)).first;
        }
        return found->second.first ? &found->second.second : nullptr;
    }

private:
    std::unordered_map<std::string, std::pair<bool, WIN32_FILE_ATTRIBUTE_DATA>> seen_;
};
