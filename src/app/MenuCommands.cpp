// The tray menu's entries that open the program's own windows.
#include "app/MainForm.h"
#include "platform/Guarded.h"
#include "shell/AboutBox.h"
#include "shell/Links.h"
#include "shell/OptionsForm.h"

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
