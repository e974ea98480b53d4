#include "catalogue/ProgramRule.h"

#include <cctype>

namespace {
std::string Lower(const std::string& s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
}  // namespace

bool IsProgramCommandLine(const std::string& commandLine) {
    std::string c = Lower(commandLine);
    auto has = [&](const char* p) { return c.find(p) != std::string::npos; };
    bool runnable = has(".exe") || has(".com") || has(".bat") || has(".msc");
    return runnable && !has("unwise") && !has("unins");
}
