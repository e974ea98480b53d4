#include "catalogue/ProgramRule.h"

#include "platform/Paths.h"

bool IsProgramCommandLine(const std::string& commandLine) {
    std::string c = AsciiLower(commandLine);
    auto has = [&](const char* p) { return c.find(p) != std::string::npos; };
    bool runnable = has(".exe") || has(".com") || has(".bat") || has(".msc");
    return runnable && !has("unwise") && !has("unins");
}
