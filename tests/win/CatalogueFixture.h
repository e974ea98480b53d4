// The panel's model over a private Start Menu tree and data folder, without a window.
#pragma once
#include <gtest/gtest.h>
#include <objbase.h>

#include <memory>

#include "platform/Files.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "platform/Text.h"
#include "support/CatalogueSetup.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

class CatalogueTree : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        base = AnsiLowerFileName(tree.Path());
        paths = MakeStartMenuTree(base);
        // The log of what runs here stays in the tree.
        savedProgramFolder_ = ProgramFolder;
        ProgramFolder = paths.AppData + "\\";
        NewModel();
    }
    void TearDown() override {
        model.reset();
        ProgramFolder = savedProgramFolder_;
        CoUninitialize();
    }
    // A fresh object over the same files, as after a restart.
    void NewModel() {
        model.reset();
        model = std::make_unique<PanelParts>();
        AttachCatalogue(*model, paths);
    }
    std::string Program(const std::string& root, const std::string& name) {
        std::string link = root + "\\" + name;
        EXPECT_TRUE(MakeShortcut(link, base + "\\bin\\" + name.substr(0, name.rfind('.')) + ".exe"));
        return link;
    }
    std::string Tab() const { return ReadWholeFile(paths.AppData + "\\tab1.ini"); }
    std::string Quick() const { return ReadWholeFile(paths.AppData + "\\quicketab1.ini"); }
    // The catalogue files as a hand or another program edits them.
    TIniFile TabFile() const { return TIniFile(paths.AppData + "\\tab1.ini"); }
    TIniFile QuickTabFile() const { return TIniFile(paths.AppData + "\\quicketab1.ini"); }
    std::string Value(const char* section, int key) const {
        return TabFile().ReadString(section, std::to_string(key), "");
    }

    TempFolder tree;
    std::string base;
    TFolderPaths paths;
    std::unique_ptr<PanelParts> model;

private:
    std::string savedProgramFolder_;
};
