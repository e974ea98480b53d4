// What the panel shows: the catalogue of the Start Menu's programs and the layout it is laid out
// by, with the three files they keep in the data folder. A rebuild runs them in their order.
#pragma once
#include <windows.h>

#include <string>

#include "catalogue/Catalogue.h"
#include "catalogue/FolderPaths.h"
#include "panel/PanelLayout.h"

class TPanelModel {
public:
    TFolderPaths FolderPaths;
    std::string DataFolder;
    TCatalogue Catalogue{FolderPaths};
    TPanelLayout Layout;

    // tab1.ini, Main.ini and quicketab1.ini in DataFolder.
    void OpenFiles();
    void CloseFiles();
    // Scan, reconcile, lay out, fill and place; each file is written whole or not at all. The
    // window, if any, takes the stored grid's client size. A failure is logged under CalcAll, the
    // rebuild's name; false then.
    bool Rebuild(HWND window);
};
