// The notification-area icon's clicks, the tray menu and its entries.
#include "app/MainForm.h"
#include "platform/Guarded.h"
#include "resources/ResourceIds.h"
#include "shell/AboutBox.h"
#include "shell/Links.h"
#include "shell/OptionsForm.h"
#include "platform/UiTexts.h"

namespace {
void SetCaption(HMENU menu, UINT id, const std::string& text) {
    if (menu) ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}
}  // namespace

void TMainForm::Translate() {
    Guarded("Translate", [&] {
        TranslateUiTexts();
        if (!TrayPopupMenu) TrayPopupMenu.Reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_TRAY)));
        HMENU popup = TrayPopupMenu ? GetSubMenu(TrayPopupMenu.Get(), 0) : nullptr;
        SetCaption(popup, IDM_SHOWMENU, "Show list of programs");
        SetCaption(popup, IDM_OPTIONSMENU, "Settings...");
        SetCaption(popup, IDM_MAILTOSUPPORTMENU, UiTexts.MailCaption);
        SetCaption(popup, IDM_ABOUTMENU, "About...");
        SetCaption(popup, IDM_EXITMENU, "Exit");
        if (popup) SetMenuDefaultItem(popup, IDM_SHOWMENU, FALSE);
    });
}

void TMainForm::Trayiconnotify(LPARAM mouseEvent) {
    Guarded("Trayiconnotify", [&] {
        if (mouseEvent == WM_LBUTTONDOWN) {
            ShowMenuClick();
            return;
        }
        if (mouseEvent != WM_RBUTTONDOWN || !TrayPopupMenu) return;
        POINT p;
        GetCursorPos(&p);
        // Without the foreground calls and the closing WM_NULL the menu would not close when
        // the user clicks elsewhere.
        SetForegroundWindow(Handle());
        TrackPopupMenu(GetSubMenu(TrayPopupMenu.Get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, Handle(),
                       nullptr);
        SetForegroundWindow(Handle());
        PostMessageA(Handle(), WM_NULL, 0, 0);
    });
}

void TMainForm::OptionsMenuClick() {
    Guarded("OptionsMenuClick", [&] {
        TOptionsForm form(Handle(), [this] { HookLink.PublishHookSettings(); });
        form.ShowModal();
    });
}

void TMainForm::MailToSupportMenuClick() {
    Guarded("MailToSupportMenuClick", [&] { OpenSupportMail(Handle()); });
}

void TMainForm::AboutMenuClick() {
    Guarded("AboutMenuClick", [&] {
        TAboutBox box(Handle());
        box.ShowModal();
    });
}
