#include "catalogue/Watchers.h"

#include "platform/Guarded.h"

void TFolderWatchers::Start(HWND window, const std::string& commonStartMenu, const std::string& userStartMenu) {
    UpdateFolderTimer.Attach(window);
    FN2 = std::make_unique<TfisFileNotification>(window, 2);
    FN2->OnDirectoryChanged = [this] { FN1DirectoryChanged(); };
    FN2->Directory = userStartMenu;
    FN2->Start();
    FN1 = std::make_unique<TfisFileNotification>(window, 1);
    FN1->OnDirectoryChanged = [this] { FN1DirectoryChanged(); };
    FN1->Directory = commonStartMenu;
    FN1->Start();
}

void TFolderWatchers::Stop() {
    FN1.reset();
    FN2.reset();
    UpdateFolderTimer.Stop();
}

void TFolderWatchers::Deliver(WPARAM id) {
    TfisFileNotification* n = id == 1 ? FN1.get() : id == 2 ? FN2.get() : nullptr;
    if (n) n->Deliver();
}

void TFolderWatchers::OnTimer(UINT_PTR id) {
    if (id == UpdateFolderTimer.Id()) UpdateFolderTimerTimer();
}

void TFolderWatchers::FN1DirectoryChanged() {
    // A running timer keeps its course: a burst of changes gives one rebuild.
    Guarded("FN1DirectoryChanged", [&] { UpdateFolderTimer.Start(); });
}

void TFolderWatchers::UpdateFolderTimerTimer() {
    Guarded("UpdateFolderTimerTimer", [&] {
        UpdateFolderTimer.Stop();
        rebuild_();
    });
}
