#include "shell/OptionsForm.h"

#include "platform/Application.h"
#include "platform/ProgramFolder.h"
#include "platform/DialogLayout.h"
#include "resources/ResourceIds.h"
#include "shell/HookContract.h"
#include "shell/ModalDialog.h"
#include "shell/Registry.h"

namespace {

struct HookSetting {
    int control;
    const char* value;
};
constexpr HookSetting kHookSettings[] = {{IDC_CHECKBOX2, "IntegrateWithSystem"},
                                         {IDC_CHECKBOX3, "LeftWindowsAlt"},
                                         {IDC_CHECKBOX4, "RightWindowsAlt"},
                                         {IDC_CHECKBOX5, "WindowsApplications"}};

void Caption(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

INT_PTR TOptionsForm::ShowModal() { return ShowModalDialog(*this, IDD_OPTIONS, owner_); }

void TOptionsForm::FormCreate(HWND dialog) {
    SetWindowTextA(dialog, "Settings");
    Caption(dialog, IDC_CHECKBOX1, "Start with Windows");
    Caption(dialog, IDC_CHECKBOX2, "Integrate the program with the system menu");
    Caption(dialog, IDC_LABEL1, "Note: works only with the Windows XP menu in the XP style");
    Caption(dialog, IDC_GROUPBOX1, "Show the menu when the following keys are pressed");
    Caption(dialog, IDC_CHECKBOX3, "Left  Windows + Left Alt");
    Caption(dialog, IDC_CHECKBOX4, "Right Windows + Right Alt");
    Caption(dialog, IDC_CHECKBOX5, "Right Windows + Applications key");
    Caption(dialog, IDOK, "OK");
    Caption(dialog, IDCANCEL, "Cancel");
    LayOutDialog(dialog, 336, 242,
                 {{IDC_CHECKBOX1, 12, 10, 312, 20},
                  {IDC_CHECKBOX2, 12, 34, 312, 20},
                  {IDC_LABEL1, 30, 56, 294, 30},
                  {IDC_GROUPBOX1, 12, 92, 312, 104},
                  {IDC_CHECKBOX3, 26, 114, 286, 20},
                  {IDC_CHECKBOX4, 26, 140, 286, 20},
                  {IDC_CHECKBOX5, 26, 166, 286, 20},
                  {IDOK, 162, 206, 75, 25},
                  {IDCANCEL, 249, 206, 75, 25}});

    // Only whether there is an autostart entry counts, not where it points.
    RegValue run = ReadRegValue(HKEY_CURRENT_USER, kRunKey, "Kestrola");
    CheckDlgButton(dialog, IDC_CHECKBOX1, !run.isInteger && !run.text.empty() ? BST_CHECKED : BST_UNCHECKED);
    for (const HookSetting& s : kHookSettings) {
        bool on = RegValueExists(HKEY_CURRENT_USER, kProgramKey, s.value) &&
                  ReadRegValue(HKEY_CURRENT_USER, kProgramKey, s.value).ToInteger() == 1;
        CheckDlgButton(dialog, s.control, on ? BST_CHECKED : BST_UNCHECKED);
    }
}

void TOptionsForm::Button1Click(HWND dialog) {
    if (Checked(dialog, IDC_CHECKBOX1))
        WriteRegText(HKEY_CURRENT_USER, kRunKey, "Kestrola", "\"" + ProgramFolder + ExecutableFileName() + "\"");
    else
        DeleteRegValue(HKEY_CURRENT_USER, kRunKey, "Kestrola");
    for (const HookSetting& s : kHookSettings)
        WriteRegInteger(HKEY_CURRENT_USER, kProgramKey, s.value, Checked(dialog, s.control) ? 1 : 0);
    if (publish_) publish_();
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(hook::kOptionsUpdateMessage), 0, 0);
}

INT_PTR TOptionsForm::Message(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        FormCreate(dialog);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case IDOK:
            try {
                Button1Click(dialog);
            } catch (const std::exception& e) {
                Application::ShowException(e);
            }
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}
