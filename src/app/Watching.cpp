// Following changes of the two Start Menu folders: one rebuild 1.5 s after the first change.
#include "app/MainForm.h"
#include "platform/Guarded.h"

void TMainForm::StartWatchers() {
    FN2 = std::make_unique<TfisFileNotification>(Handle(), 2);
    FN2->OnDirectoryChanged = [this] { FN1DirectoryChanged(); };
    FN2->Directory = FolderPaths.UserStartMenu;
    FN2->Start();
    FN1 = std::make_unique<TfisFileNotification>(Handle(), 1);
    FN1->OnDirectoryChanged = [this] { FN1DirectoryChanged(); };
    FN1->Directory = FolderPaths.CommonStartMenu;
    FN1->Start();
}

void TMainForm::FN1DirectoryChanged() {
    // A running timer keeps its course: a burst of changes gives one rebuild.
    Guarded("FN1DirectoryChanged", [&] { UpdateFolderTimer.Start(); });
}

void TMainForm::UpdateFolderTimerTimer() {
    Guarded("UpdateFolderTimerTimer", [&] {
        UpdateFolderTimer.Stop();
        CalcAll();
        InvalidateRect(Handle(), nullptr, FALSE);
    });
}
