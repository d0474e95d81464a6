// Small owners for what the windows draw with: a window's device context, an object
// selected into one, fonts, brushes and bitmaps, and menus. Each gives back what it
// holds when it goes.
#pragma once

#include <windows.h>

#include <utility>

namespace kl {

// The device context of a window (of the screen for none), released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a while: the one it replaced is
// selected again at the end. Selects nothing for a null object.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A font, brush, pen or bitmap of the program's own, deleted with DeleteObject.
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : h_(h) {}
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(Handle h = nullptr) {
        if (h_) DeleteObject(h_);
        h_ = h;
    }

private:
    Handle h_ = nullptr;
};

using UniqueFont = GdiObject<HFONT>;
using UniqueBrush = GdiObject<HBRUSH>;

// A menu not yet given to a window or another menu, destroyed with DestroyMenu;
// release() hands it over.
class UniqueMenu {
public:
    UniqueMenu() = default;
    explicit UniqueMenu(HMENU menu) : menu_(menu) {}
    UniqueMenu(UniqueMenu&& o) noexcept : menu_(std::exchange(o.menu_, nullptr)) {}
    UniqueMenu& operator=(UniqueMenu&& o) noexcept {
        if (this != &o) {
            if (menu_) DestroyMenu(menu_);
            menu_ = std::exchange(o.menu_, nullptr);
        }
        return *this;
    }
    UniqueMenu(const UniqueMenu&) = delete;
    UniqueMenu& operator=(const UniqueMenu&) = delete;
    ~UniqueMenu() {
        if (menu_) DestroyMenu(menu_);
    }

    HMENU get() const { return menu_; }
    explicit operator bool() const { return menu_ != nullptr; }
    HMENU release() { return std::exchange(menu_, nullptr); }

private:
    HMENU menu_ = nullptr;
};

}  // namespace kl
