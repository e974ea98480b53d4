// Owners of GDI objects and device contexts, the GDI+ session and visual-style handles.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include "platform/Handle.h"

struct GdiObjectTraits {
    static HGDIOBJ Invalid() { return nullptr; }
    static bool IsValid(HGDIOBJ o) { return o != nullptr; }
    static void Close(HGDIOBJ o) { ::DeleteObject(o); }
};
using UniqueGdiObject = UniqueResource<HGDIOBJ, GdiObjectTraits>;

struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static bool IsValid(HDC d) { return d != nullptr; }
    static void Close(HDC d) { ::DeleteDC(d); }
};
using UniqueMemoryDc = UniqueResource<HDC, MemoryDcTraits>;

// GetDC / ReleaseDC of one window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// An off-screen 32-bit bitmap with its own memory DC.
class OffscreenBitmap {
public:
    OffscreenBitmap(HDC compatible, int width, int height);
    // The bitmap leaves the DC before either is deleted.
    ~OffscreenBitmap() {
        if (dc_) SelectObject(dc_.Get(), old_);
    }
    OffscreenBitmap(const OffscreenBitmap&) = delete;
    OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;
    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.Get()); }

private:
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    HGDIOBJ old_ = nullptr;
};

// GdiplusStartup for the life of the object.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

// One theme class of the current visual style.
class ThemeHandle {
public:
    ThemeHandle(HWND window, const wchar_t* classList) : theme_(OpenThemeData(window, classList)) {}
    ~ThemeHandle() {
        if (theme_) CloseThemeData(theme_);
    }
    ThemeHandle(const ThemeHandle&) = delete;
    ThemeHandle& operator=(const ThemeHandle&) = delete;
    HTHEME Get() const { return theme_; }

private:
    HTHEME theme_;
};

// Visual styles are in effect for this application.
bool VisualStylesActive();
