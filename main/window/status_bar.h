// sbMain: the status bar with two owner-drawn panels (410 and 50 pixels at 96 dots per
// inch, scaled), written in red Verdana on the window's colour.
#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace kl {

class StatusBar {
public:
    ~StatusBar();
    void Create(HWND parent, int id);
    HWND handle() const { return hwnd_; }
    void SetText(int panel, const std::string& text);
    const std::string& Text(int panel) const { return texts_[panel]; }
    // Handles WM_DRAWITEM for the bar; false when the item is not ours.
    bool Draw(const DRAWITEMSTRUCT& item);
    void Resize();
    // Font and panel widths for the window's dots per inch.
    void SetDpi(int dpi);

private:
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    std::array<std::string, 2> texts_;
};

}  // namespace kl
