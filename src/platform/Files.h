// Small file-system questions and actions.
#pragma once
#include <string>

bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& path);
