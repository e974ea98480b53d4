// The panel's layout: its geometry, from the system's metrics and the grid of a rebuild, and the
// layout file Main.ini that stores the grid for the next start.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>

#include "panel/Geometry.h"
#include "platform/IniFile.h"

// Cell and icon sizes from the system, the fixed inset, gap and line width; the blocks from them.
void SetIconParams(PanelGeometry& g);

class TPanelLayout {
public:
    PanelGeometry Geometry;
    std::unique_ptr<TIniFile> MainIni;

    // The fixed margins; gives the system's submenu delay to whoever opens submenus, nothing
    // (and no margins) when the delay is no number.
    std::optional<unsigned> SetScreenSize();
    // The grid of the present counts into Main.ini.
    void MainIniWrite();
    // The stored grid into the geometry; the window, if any, takes the client size it gives.
    void MainIniRead(HWND window);
};
