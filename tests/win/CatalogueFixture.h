// A main window object over a private Start Menu tree and data folder, without a window.
#pragma once
#include <gtest/gtest.h>
#include <objbase.h>

#include <memory>

#include "app/MainForm.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/Shortcut.h"
#include "support/TempFolder.h"

class CatalogueTree : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        base = AnsiLowerFileName(tree.Path());
        TFolderPaths& p = paths;
        p.CommonStartMenu = base + "\\all\\start menu";
        p.CommonPrograms = p.CommonStartMenu + "\\programs";
        p.CommonStartup = p.CommonPrograms + "\\startup";
        p.UserStartMenu = base + "\\user\\start menu";
        p.UserPrograms = p.UserStartMenu + "\\programs";
        p.UserStartup = p.UserPrograms + "\\startup";
        p.AppData = base + "\\appdata";
        for (const std::string* d : {&p.CommonStartup, &p.UserStartup, &p.AppData}) ForceDirectories(*d);
        NewForm();
    }
    void TearDown() override {
        form.reset();
        CoUninitialize();
    }
    // A fresh object over the same files, as after a restart.
    void NewForm() {
        form.reset();
        form = std::make_unique<TMainForm>();
        form->FolderPaths = paths;
        form->DataFolder = paths.AppData;
        form->TabIni = std::make_unique<TIniFile>(paths.AppData + "\\tab1.ini");
        form->MainIni = std::make_unique<TIniFile>(paths.AppData + "\\Main.ini");
        form->QuickTabIni = std::make_unique<TIniFile>(paths.AppData + "\\quicketab1.ini");
        SHGetDesktopFolder(form->DesktopFolder.Put());
        form->SetIconParams();
    }
    std::string Program(const std::string& root, const std::string& name) {
        std::string link = root + "\\" + name;
        EXPECT_TRUE(MakeShortcut(link, base + "\\bin\\" + name.substr(0, name.rfind('.')) + ".exe"));
        return link;
    }
    std::string Document(const std::string& root, const std::string& name) {
        std::string link = root + "\\" + name;
        EXPECT_TRUE(MakeShortcut(link, base + "\\docs\\" + name.substr(0, name.rfind('.')) + ".txt"));
        return link;
    }
    std::string Tab() const { return ReadWholeFile(paths.AppData + "\\tab1.ini"); }
    std::string Quick() const { return ReadWholeFile(paths.AppData + "\\quicketab1.ini"); }
    std::string Value(const char* section, int key) const {
        return form->TabIni->ReadString(section, std::to_string(key), "");
    }

    TempFolder tree;
    std::string base;
    TFolderPaths paths;
    std::unique_ptr<TMainForm> form;
};
