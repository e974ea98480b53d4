// Generates a large Start Menu tree for the benchmarks.
#pragma once
#include <string>
#include <vector>

#include "catalogue/FolderPaths.h"

struct GeneratedMenu {
    int mainEntries = 0;
    int folders = 0;
    int shortcutsInFolders = 0;
    std::vector<std::string> made;  // top-level shortcuts and folders, for taking them away again
};

// mainEntries over both Programs roots, 324 by default: 264 shortcuts and 60 folders, 1,000
// shortcuts inside the folders (20 single-program folders, 40 larger ones), and so in proportion
// for other sizes; a few quick entries. The targets are made in `targets` (links to a system
// program, empty documents) unless `targetsPresent` is off.
GeneratedMenu GenerateStartMenu(const TFolderPaths& paths, const std::string& targets, bool targetsPresent = true,
                                int mainEntries = 324);
