// Which names found in a Start Menu folder can be catalogued; pure.
#pragma once
#include <cstddef>
#include <string>

// A name that could break the catalogue files or could never be found again through the ANSI
// calls: it would be removed and added anew, stamped new, on every rebuild.
enum class NameFault {
    None,
    ControlCharacter,  // a line break would start a new line, or a new section, in the file
    OutsideCodePage,   // the ANSI calls give '?' for what the code page lacks
    TrailingBlankOrDot,  // the system cuts them off a path, so the entry is never found
    PathTooLong,       // the folder, a backslash and the name pass 259 characters
};

NameFault FaultOfName(const std::string& name, size_t folderLength);
// The log's words for the fault.
const char* FaultText(NameFault fault);
// The name with every control character written as <XX> (two hex digits): safe on one log line.
std::string SafeName(const std::string& name);
