#include "app/CommandLine.h"

#include "platform/Paths.h"

namespace {

// Reads one parameter starting at pos; leaves pos after it.
std::string NextParameter(const std::string& s, size_t& pos) {
    while (pos < s.size() && static_cast<unsigned char>(s[pos]) <= ' ') ++pos;
    std::string out;
    bool quoted = false;
    for (; pos < s.size(); ++pos) {
        char c = s[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && static_cast<unsigned char>(c) <= ' ') {
            break;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string FirstParameter(const std::string& commandLine) {
    size_t pos = 0;
    NextParameter(commandLine, pos);  // the program itself
    return NextParameter(commandLine, pos);
}

bool IsExitRequest(const std::string& firstParameter) {
    return AsciiLower(firstParameter).find("exit") != std::string::npos;
}
