// Move-only owners of kernel, registry and window-system handles.
#pragma once
#include <windows.h>

#include <utility>

template <typename T, typename Traits>
class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(T value) : value_(value) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    T Get() const { return value_; }
    explicit operator bool() const { return Traits::IsValid(value_); }
    T Release() { return std::exchange(value_, Traits::Invalid()); }
    // The close keeps the caller's last error: a handle is often let go between a failing call
    // and the read of its error.
    void Reset(T value = Traits::Invalid()) {
        if (Traits::IsValid(value_)) {
            DWORD error = GetLastError();
            Traits::Close(value_);
            SetLastError(error);
        }
        value_ = value;
    }
    // For a call that opens straight into this owner: what it held is closed first.
    T* Put() {
        Reset();
        return &value_;
    }

private:
    T value_ = Traits::Invalid();
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;

struct FindHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
using UniqueFindHandle = UniqueResource<HANDLE, FindHandleTraits>;

struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static bool IsValid(HKEY k) { return k != nullptr; }
    static void Close(HKEY k) { ::RegCloseKey(k); }
};
using UniqueHKey = UniqueResource<HKEY, RegKeyTraits>;

struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static bool IsValid(HMODULE m) { return m != nullptr; }
    static void Close(HMODULE m) { ::FreeLibrary(m); }
};
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;

struct MapViewTraits {
    static void* Invalid() { return nullptr; }
    static bool IsValid(void* p) { return p != nullptr; }
    static void Close(void* p) { ::UnmapViewOfFile(p); }
};
using UniqueMapView = UniqueResource<void*, MapViewTraits>;

struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static bool IsValid(HWND w) { return w != nullptr; }
    static void Close(HWND w) { ::DestroyWindow(w); }
};
using UniqueWindow = UniqueResource<HWND, WindowTraits>;

struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static bool IsValid(HMENU m) { return m != nullptr; }
    static void Close(HMENU m) { ::DestroyMenu(m); }  // child menus go with it
};
using UniqueMenu = UniqueResource<HMENU, MenuTraits>;
