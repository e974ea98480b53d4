// A private Start Menu tree and the panel's model wired to it, without a window.
#pragma once
#include <string>

#include "panel/FolderMenu.h"
#include "panel/Painter.h"
#include "panel/PanelModel.h"
#include "panel/PanelView.h"

// The six Start Menu folders and the data folder under base (lower case), created on disk.
TFolderPaths MakeStartMenuTree(const std::string& base);
// The model with the painter and the submenus that read it, wired as the main window wires them.
struct PanelParts : TPanelModel {
    PanelView View;
    PanelPainter Painter{Catalogue.FolderList(), Catalogue.ListVersion(), Layout.Geometry(), View};
    TFolderMenu Submenus{FolderPaths, Painter.Colours, Layout.Geometry()};
};

// Points the model at the tree: folder paths, data folder, the three ini files, shell desktop.
void AttachCatalogue(TPanelModel& model, const TFolderPaths& paths);

// The key (slot) under which the catalogue text lists the path, compared as file names; empty
// when it is not listed.
std::string SlotKeyOf(const std::string& catalogueText, const std::string& path);

// A main-grid entry at the slot's cell, as the entry list would hold it.
TFolder EntryAtSlot(const PanelGeometry& g, int slot, const std::string& caption, bool isFolder = false);
