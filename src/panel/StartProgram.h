// What the start sequence hands to the shell for a path.
#pragma once
#include <string>

struct LaunchRequest {
    std::string file, workingFolder, arguments;
};

// The path itself, its folder (no trailing backslash) as working folder, no arguments.
LaunchRequest PlainLaunch(const std::string& path);  // pure
// A shortcut resolved to its target, arguments and working folder, variables in the folder
// expanded; any other path as PlainLaunch gives it.
LaunchRequest LaunchRequestFor(const std::string& path);
