#include "catalogue/EntryName.h"

namespace {
constexpr size_t kMaxPath = 260;  // with its terminating zero
}

NameFault FaultOfName(const std::string& name, size_t folderLength) {
    for (unsigned char c : name)
        if (c < 32 || c == 127) return NameFault::ControlCharacter;
    if (name.find('?') != std::string::npos) return NameFault::OutsideCodePage;
    if (!name.empty() && (name.back() == ' ' || name.back() == '.')) return NameFault::TrailingBlankOrDot;
    if (folderLength + 1 + name.size() >= kMaxPath) return NameFault::PathTooLong;
    return NameFault::None;
}

const char* FaultText(NameFault fault) {
    switch (fault) {
        case NameFault::ControlCharacter: return "holds a control character";
        case NameFault::OutsideCodePage: return "holds characters outside the code page";
        case NameFault::TrailingBlankOrDot: return "ends in a blank or a dot";
        case NameFault::PathTooLong: return "makes a path of 260 characters or more";
        case NameFault::None: break;
    }
    return "";
}

std::string SafeName(const std::string& name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if (c >= 32 && c != 127) {
            out += static_cast<char>(c);
            continue;
        }
        out += '<';
        out += kHex[c >> 4];
        out += kHex[c & 15];
        out += '>';
    }
    return out;
}
