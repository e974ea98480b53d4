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
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND owner_;
    UniqueGdiObject font_, largeFont_;
    HICON icon_ = nullptr;  // a shared resource icon: never destroyed
};
