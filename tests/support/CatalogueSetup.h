// A private Start Menu tree and a main window object wired to it, without a window.
#pragma once
#include <string>

#include "app/MainForm.h"

// The six Start Menu folders and the data folder under base (lower case), created on disk.
TFolderPaths MakeStartMenuTree(const std::string& base);
// Points the object at the tree: folder paths, data folder, the three ini files, shell desktop.
void AttachCatalogue(TMainForm& form, const TFolderPaths& paths);

// The key (slot) under which the catalogue text lists the path, compared as file names; empty
// when it is not listed.
std::string SlotKeyOf(const std::string& catalogueText, const std::string& path);

// A main-grid entry at the slot's cell, as the entry list would hold it.
TFolder EntryAtSlot(const PanelGeometry& g, int slot, const std::string& caption, bool isFolder = false);
