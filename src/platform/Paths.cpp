#include "platform/Paths.h"

namespace {
constexpr const char* kDelimiters = "\\/:";
}

std::string FolderPart(const std::string& path) {
    size_t cut = path.find_last_of(kDelimiters);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string LastComponent(const std::string& path) {
    size_t cut = path.find_last_of(kDelimiters);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ExtensionOf(const std::string& path) {
    std::string name = LastComponent(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}
