#include "catalogue/Folder.h"

#include <cctype>

std::string LastComponent(const std::string& path) {
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string CaptionOfPath(const std::string& path) {
    std::string name = LastComponent(path);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return name;
    std::string ext = name.substr(dot);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == ".LNK" ? name.substr(0, dot) : name;
}
