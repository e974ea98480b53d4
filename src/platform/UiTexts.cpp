#include "platform/UiTexts.h"

TUiTexts UiTexts;

void TranslateUiTexts() {
    UiTexts.FolderError = "Create folder error!";
    UiTexts.ScreenSizeError = "Error setting screen size!";
    UiTexts.NewProgramTitle = "New Program";
    UiTexts.IconHint = "Click icon to show list of programs. Right-click for menu.";
    UiTexts.MailCaption = "Mail to Support";
}
