// Starting the program of an entry or of a submenu item: the panel hides, the shell starts it.
#include <windows.h>
#include <shellapi.h>

#include "app/MainForm.h"
#include "panel/StartProgram.h"

void TMainForm::StartSequence(const std::string& path) {
    // Resolving a link to a missing, removable or network target may search for seconds: the
    // panel goes first, so that it never stands there not answering.
    MainFormHide();
    LaunchRequest r = LaunchRequestFor(path);
    LaunchPath(r.file, r.workingFolder, r.arguments);
}

void TMainForm::LaunchPath(const std::string& file, const std::string& workingFolder, const std::string& arguments) {
    MainFormHide();
    // The shell reports its own failures; the panel is already gone.
    ShellExecuteA(nullptr, "Open", file.c_str(), arguments.c_str(), workingFolder.c_str(), SW_SHOWNORMAL);
}
