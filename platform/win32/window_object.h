// Owners of the window system's objects: each GDI object, device context, icon, menu and
// window the program makes is held by exactly one owner, which gives it back with the
// call that fits it, once, when the owner is reset or goes. Stock objects (GetStockObject)
// and objects the system lends (a system colour brush, a control's own font) are never
// held by one.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace window_object {

// How each kind of object is given back.
struct GdiObject {
    static void Release(HGDIOBJ object) { DeleteObject(object); }
};
struct MemoryDc {
    static void Release(HDC dc) { DeleteDC(dc); }
};
struct Icon {
    static void Release(HICON icon) { DestroyIcon(icon); }
};
struct Menu {
    static void Release(HMENU menu) { DestroyMenu(menu); }
};
struct Window {
    static void Release(HWND window) { DestroyWindow(window); }
};
struct ImageList {
    static void Release(HIMAGELIST list) { ImageList_Destroy(list); }
};

}  // namespace window_object

// One object of the window system, owned: moved, never copied.
template <typename Handle, typename Kind>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) noexcept : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    // Gives back the object held, if any, and holds `handle` (nothing by default) instead.
    void reset(Handle handle = nullptr) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old && old != handle) Kind::Release(old);
    }
    // Stops owning the object, which the caller now gives back.
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

using OwnedBitmap = Owned<HBITMAP, window_object::GdiObject>;
using OwnedFont = Owned<HFONT, window_object::GdiObject>;
using OwnedPen = Owned<HPEN, window_object::GdiObject>;
using OwnedBrush = Owned<HBRUSH, window_object::GdiObject>;
// A device context the program made: CreateCompatibleDC, CreateDC, a print dialog's.
using OwnedDc = Owned<HDC, window_object::MemoryDc>;
using OwnedIcon = Owned<HICON, window_object::Icon>;
using OwnedMenu = Owned<HMENU, window_object::Menu>;
using OwnedWindow = Owned<HWND, window_object::Window>;
using OwnedImageList = Owned<HIMAGELIST, window_object::ImageList>;

// A window's device context from GetDC (the screen's for no window), given back to the
// window it came from.
class OwnedWindowDc {
public:
    OwnedWindowDc() = default;
    explicit OwnedWindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    OwnedWindowDc(OwnedWindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    OwnedWindowDc& operator=(OwnedWindowDc&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    OwnedWindowDc(const OwnedWindowDc&) = delete;
    OwnedWindowDc& operator=(const OwnedWindowDc&) = delete;
    ~OwnedWindowDc() { reset(); }

    HDC get() const noexcept { return dc_; }
    HWND window() const noexcept { return window_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

    // Gives the device context back to its window now.
    void reset() noexcept {
        if (dc_) ReleaseDC(window_, dc_);
        window_ = nullptr;
        dc_ = nullptr;
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// An object selected into a device context for a scope: the one it replaced is selected
// again when the scope ends. Declared after the owner of the object, it goes first, so
// the object is no longer selected when it is deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};
