// The user-visible texts that Translate sets before anything is shown.
#pragma once
#include <string>

struct TUiTexts {
    std::string FolderError;
    std::string ScreenSizeError;
    std::string NewProgramTitle;
    std::string IconHint;
    std::string MailCaption;
};

extern TUiTexts UiTexts;

// Gives every text its English value.
void TranslateUiTexts();
