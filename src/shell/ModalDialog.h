// A modal dialog from the program's resources, run for an object of the caller's.
#pragma once
#include <windows.h>

#include <exception>

#include "platform/Application.h"

// T::Message(dialog, msg, wParam, lParam) handles the dialog's messages from WM_INITDIALOG on;
// its errors reach the standard error display, none unwinds through the system.
template <typename T>
INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (self) return self->Message(dialog, msg, wParam, lParam);
    } catch (const std::exception& e) {
        Application::ShowException(e);
    }
    return FALSE;
}

template <typename T>
INT_PTR ShowModalDialog(T& object, int templateId, HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, ModalDialogProc<T>,
                           reinterpret_cast<LPARAM>(&object));
}
