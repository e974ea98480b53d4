// The settings dialog: autostart and the four hook settings.
#pragma once
#include <windows.h>

#include <functional>

class TOptionsForm {
public:
    // publish copies the hook settings to the hook library (nothing when its link is not running).
    TOptionsForm(HWND owner, std::function<void()> publish) : owner_(owner), publish_(std::move(publish)) {}
    // Modal; IDOK or IDCANCEL.
    INT_PTR ShowModal();

private:
    void FormCreate(HWND dialog);
    void Button1Click(HWND dialog);
    INT_PTR Message(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    template <typename T>
    friend INT_PTR CALLBACK ModalDialogProc(HWND, UINT, WPARAM, LPARAM);

    HWND owner_;
    std::function<void()> publish_;
};
