#include "support/CatalogueSetup.h"

#include "panel/PanelLayout.h"
#include "platform/Files.h"
#include "platform/Text.h"

std::string SlotKeyOf(const std::string& catalogueText, const std::string& path) {
    std::string text = AnsiLowerFileName(catalogueText);
    size_t at = text.find("=" + AnsiLowerFileName(path) + "\r\n");
    if (at == std::string::npos) return "";
    size_t start = text.rfind('\n', at);
    start = start == std::string::npos ? 0 : start + 1;
    return text.substr(start, at - start);
}

TFolderPaths MakeStartMenuTree(const std::string& base) {
    TFolderPaths p;
    p.CommonStartMenu = base + "\\all\\start menu";
    p.CommonPrograms = p.CommonStartMenu + "\\programs";
    p.CommonStartup = p.CommonPrograms + "\\startup";
    p.UserStartMenu = base + "\\user\\start menu";
    p.UserPrograms = p.UserStartMenu + "\\programs";
    p.UserStartup = p.UserPrograms + "\\startup";
    p.AppData = base + "\\appdata";
    for (const std::string* d : {&p.CommonStartup, &p.UserStartup, &p.AppData}) ForceDirectories(*d);
    return p;
}

void AttachCatalogue(TPanelModel& model, const TFolderPaths& paths) {
    model.FolderPaths = paths;
    model.DataFolder = paths.AppData;
    model.OpenFiles();
    model.Catalogue.AttachShell();
    model.Layout.SetIconParams();
}

TFolder EntryAtSlot(const PanelGeometry& g, int slot, const std::string& caption, bool isFolder) {
    TFolder f;
    f.Caption = caption;
    Point p = MainCellOrigin(g, slot);
    f.CellX = p.x;
    f.CellY = p.y;
    f.TextRect = CaptionRect(g, p);
    f.IsFolder = isFolder;
    return f;
}
