// The about box: icon, product name and version, web and mail links.
#pragma once
#include <windows.h>

#include "platform/Gdi.h"

class TAboutBox {
public:
    explicit TAboutBox(HWND owner) : owner_(owner) {}
    void ShowModal();

private:
    void FormCreate(HWND dialog);
    void Label1Click();            // the web page
    void Label2Click(HWND dialog);  // the support mail
    INT_PTR Message(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    template <typename T>
    friend INT_PTR CALLBACK ModalDialogProc(HWND, UINT, WPARAM, LPARAM);

    HWND owner_;
    UniqueGdiObject font_, largeFont_;
    HICON icon_ = nullptr;  // a shared resource icon: never destroyed
};
