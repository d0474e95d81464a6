// The style every window of the program shares: a main font with its colour and a
// background colour, and a font and background for edit fields. Stored under
// "Software\Corvane\Keyloom\Style"; the style dialog holds the one in use.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kl {

inline constexpr char kStyleKey[] = "Software\\Corvane\\Keyloom\\Style";
inline constexpr COLORREF kSystemWindowColour = 0x80000005;      // COLOR_WINDOW
inline constexpr COLORREF kSystemWindowTextColour = 0x80000008;  // COLOR_WINDOWTEXT

struct FontSpec {
    std::string name = "Verdana";
    int charset = 0;
    int size = 9;  // points
    bool bold = false, italic = false, underline = false, strikeout = false;
    COLORREF colour = 0xFFFFFF;
};

struct Style {
    FontSpec font;
    COLORREF background = 0x808000;  // teal
    FontSpec edit{"Verdana", 0, 9, false, false, false, false, kSystemWindowTextColour};
    COLORREF editBackground = 0xFFFFFF;
};

// "bold+", "italic+", "underline+" and "strikeout" for the styles set, joined.
std::string FontStyleText(const FontSpec& font);
// An RGB value 0x00BBGGRR, or a system colour (bit 31 and an index up to 30).
bool IsStyleColour(long long value);
// The colour to paint with: a system colour looked up.
COLORREF PaintColour(COLORREF colour);
// True when a font family of that name is installed.
bool FontInstalled(const std::string& name);

// The stored style over the design values. A missing or empty value keeps its design
// value; a font that is not installed, an impossible colour, size or character set
// falls back to the design value too. A missing "EditBgColor" is the system's window colour.
Style LoadStyle(const std::function<bool(const std::string&)>& installed = FontInstalled);
bool SaveStyle(const Style& style);

// The style in use: loaded once, changed by the style dialog.
Style& CurrentStyle();
// Fonts and brushes of the current style are made anew after it changed.
void StyleChanged();

// Gives a window and its controls the current style: the main font and colours, edit
// fields the edit font and colours, list and combo boxes item heights for the font.
// Called by every window when it is shown; again after a change of the style.
void ApplyStyleToForm(HWND form);

// The fonts of the current style (owned here).
HFONT StyleFont();
HFONT StyleEditFont();

}  // namespace kl
