// Dots per inch: the program is aware of each monitor's own. Sizes are written for 96
// dots per inch (100 %) and scaled; on systems without per-monitor support the
// system's value serves for every window.
#pragma once

#include <windows.h>

namespace kl {

inline constexpr int kBaseDpi = 96;

// The system's dots per inch (the screen's LOGPIXELSY).
int SystemDpi();
// The window's dots per inch: its monitor's where the system tells, else the system's.
int WindowDpi(HWND window);
// A length in pixels at 96 dots per inch, at `dpi`.
inline int ScaleForDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kBaseDpi); }
// The system's message font at `dpi`; the caller deletes it. Null when the system
// gives none.
HFONT CreateMessageFont(int dpi);
// The message font's face and size in points, for dialog templates.
struct TemplateFont {
    char face[LF_FACESIZE] = "MS Shell Dlg";
    int points = 8;
};
TemplateFont MessageTemplateFont();
// The window rectangle for a client area, with the frame measured at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
// The height of one line of `font` on `window` plus `padding` pixels: the item height
// of an owner-drawn list in that font.
int LineHeight(HWND window, HFONT font, int padding);
// After a dialog's change of display (WM_DPICHANGED, which the dialog manager scales):
// the items of its owner-drawn fixed list and combo boxes take the height of a line of
// the dialog's new font plus `padding`, at least `minimum` pixels at 96 dots per inch.
void RefitOwnerDrawnItems(HWND dialog, int padding, int minimum);

}  // namespace kl
