// What the start sequence hands to the shell for a path; pure.
#pragma once
#include <string>

struct LaunchRequest {
    std::string file, workingFolder, arguments;
};

// The path itself, its folder (no trailing backslash) as working folder, no arguments.
LaunchRequest PlainLaunch(const std::string& path);
