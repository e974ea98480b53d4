#include "shell/AboutBox.h"

#include <string>

#include "platform/DialogLayout.h"
#include "resources/ResourceIds.h"
#include "shell/Links.h"
#include "shell/ModalDialog.h"

namespace {
HFONT Tahoma(int pixels) {
    return CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
}

bool IsLink(HWND control) {
    int id = GetDlgCtrlID(control);
    return id == IDC_ABOUT_WEB || id == IDC_ABOUT_MAIL;
}
}  // namespace

void TAboutBox::ShowModal() { ShowModalDialog(*this, IDD_ABOUT, owner_); }

void TAboutBox::FormCreate(HWND dialog) {
    font_.Reset(Tahoma(13));
    largeFont_.Reset(Tahoma(16));
    for (int id : {IDC_ABOUT_WEB, IDC_ABOUT_MAIL, IDOK})
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    for (int id : {IDC_ABOUT_PRODUCT, IDC_ABOUT_VERSION})
        SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(largeFont_.Get()), FALSE);
    SetDlgItemTextA(dialog, IDC_ABOUT_WEB, kWebPage);
    SetDlgItemTextA(dialog, IDC_ABOUT_MAIL, kSupportAddress);
    icon_ = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, 48, 48, LR_SHARED));
    SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    LayOutDialog(dialog, 287, 233,
                 {{IDC_ABOUT_PANEL, 8, 8, 271, 180},
                  {IDC_ABOUT_ICON, 20, 20, 72, 72},
                  {IDC_ABOUT_PRODUCT, 104, 30, 166, 22},
                  {IDC_ABOUT_VERSION, 104, 56, 166, 22},
                  {IDC_ABOUT_WEB, 20, 120, 250, 18},
                  {IDC_ABOUT_MAIL, 20, 146, 250, 18},
                  {IDOK, 106, 198, 75, 25}});
}

void TAboutBox::Label1Click() { OpenWebPage(); }

void TAboutBox::Label2Click(HWND dialog) { OpenSupportMail(dialog); }

INT_PTR TAboutBox::Message(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            FormCreate(dialog);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (!IsLink(reinterpret_cast<HWND>(lParam))) return FALSE;
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_HIGHLIGHT));
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_SETCURSOR:
            if (!IsLink(reinterpret_cast<HWND>(wParam))) return FALSE;
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_ABOUT_WEB && HIWORD(wParam) == STN_CLICKED) Label1Click();
            if (LOWORD(wParam) == IDC_ABOUT_MAIL && HIWORD(wParam) == STN_CLICKED) Label2Click(dialog);
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDOK);
            return TRUE;
    }
    return FALSE;
}
