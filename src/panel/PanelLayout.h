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
    const PanelGeometry& Geometry() const { return geometry_; }
    // The writers of what others own: the system's metrics at the window's making, the counts of
    // a rebuild, the drop shadow as the show sequence found it.
    void SetIconParams() { ::SetIconParams(geometry_); }
    void SetCounts(int items, int quick) {
        geometry_.ItemCount = items;
        geometry_.QuickCount = quick;
    }
    void SetDropShadow(bool on) { geometry_.DropShadow = on; }

    // Main.ini, between OpenFile and CloseFile; nullptr outside them.
    void OpenFile(const std::string& path) { mainIni_ = std::make_unique<TIniFile>(path); }
    void CloseFile() { mainIni_.reset(); }
    TIniFile* File() const { return mainIni_.get(); }

    // The fixed margins; gives the system's submenu delay to whoever opens submenus, nothing
    // (and no margins) when the delay is no number.
    std::optional<unsigned> SetScreenSize();
    // The grid of the present counts into Main.ini.
    void MainIniWrite();
    // The stored grid into the geometry; the window, if any, takes the client size it gives.
    void MainIniRead(HWND window);

private:
    PanelGeometry geometry_;
    std::unique_ptr<TIniFile> mainIni_;
};
