#include "ui/style.h"

#include <commctrl.h>

#include "model/registry_helpers.h"
#include "model/text_fields.h"
#include "ui/gdi_owners.h"

namespace kl {
namespace {

constexpr UINT_PTR kStyleSubclass = 0x5354594C;  // 'STYL'

struct Painting {
    HFONT font = nullptr, editFont = nullptr;
    HBRUSH background = nullptr, editBackground = nullptr;
    bool made = false;
} g_painting;

void Release() {
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(g_painting.font), static_cast<HGDIOBJ>(g_painting.editFont),
                      static_cast<HGDIOBJ>(g_painting.background), static_cast<HGDIOBJ>(g_painting.editBackground)})
        if (o) DeleteObject(o);
    g_painting = Painting{};
}

HFONT MakeFont(const FontSpec& f) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(f.size, GetDeviceCaps(WindowDC(nullptr).get(), LOGPIXELSY), 72);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfStrikeOut = f.strikeout;
    lf.lfCharSet = static_cast<BYTE>(f.charset);
    lstrcpynA(lf.lfFaceName, f.name.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

const Painting& Paint() {
    if (!g_painting.made) {
        const Style& s = CurrentStyle();
        g_painting.font = MakeFont(s.font);
        g_painting.editFont = MakeFont(s.edit);
        g_painting.background = CreateSolidBrush(PaintColour(s.background));
        g_painting.editBackground = CreateSolidBrush(PaintColour(s.editBackground));
        g_painting.made = true;
    }
    return g_painting;
}

int FontPixelHeight(HWND w, HFONT font) {
    const WindowDC dc(w);
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    return tm.tmHeight;
}

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

bool IsClass(HWND w, const char* cls) { return lstrcmpiA(ClassOf(w).c_str(), cls) == 0; }

LRESULT CALLBACK StyleProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    const Style& s = CurrentStyle();
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wp), PaintColour(s.font.colour));
        SetBkColor(reinterpret_cast<HDC>(wp), PaintColour(s.background));
        return reinterpret_cast<LRESULT>(Paint().background);
    case WM_CTLCOLOREDIT:
        SetTextColor(reinterpret_cast<HDC>(wp), PaintColour(s.edit.colour));
        SetBkColor(reinterpret_cast<HDC>(wp), PaintColour(s.editBackground));
        return reinterpret_cast<LRESULT>(Paint().editBackground);
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(w, &rc);
        FillRect(reinterpret_cast<HDC>(wp), &rc, Paint().background);
        return 1;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(w, StyleProc, kStyleSubclass);
        break;
    default:
        break;
    }
    return DefSubclassProc(w, msg, wp, lp);
}

BOOL CALLBACK StyleChild(HWND child, LPARAM) {
    const Painting& p = Paint();
    const bool edit = IsClass(child, WC_EDITA);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(edit ? p.editFont : p.font), TRUE);
    const int height = FontPixelHeight(child, p.font);
    if (IsClass(child, WC_LISTBOXA) && !(GetWindowLongA(child, GWL_STYLE) & LBS_OWNERDRAWVARIABLE))
        SendMessageA(child, LB_SETITEMHEIGHT, 0, height + 4);
    if (IsClass(child, WC_LISTVIEWA)) {
        ListView_SetBkColor(child, PaintColour(CurrentStyle().background));
        ListView_SetTextBkColor(child, PaintColour(CurrentStyle().background));
        ListView_SetTextColor(child, PaintColour(CurrentStyle().font.colour));
    }
    if (IsClass(child, STATUSCLASSNAMEA)) SendMessageA(child, SB_SETBKCOLOR, 0, PaintColour(CurrentStyle().background));
    // Containers (pages, group frames of their own) colour what they hold.
    if (GetWindow(child, GW_CHILD) && !IsClass(child, WC_COMBOBOXA) && !IsClass(child, WC_LISTVIEWA))
        SetWindowSubclass(child, StyleProc, kStyleSubclass, 0);
    InvalidateRect(child, nullptr, TRUE);
    return TRUE;
}

long long Number(const std::string& text) {
    const std::string_view t = Trim(text);
    if (t.empty() || t.size() > 12) return -1;
    long long v = 0;
    for (const char c : t) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

void LoadFont(const std::string& prefix, FontSpec& f, const std::function<bool(const std::string&)>& installed) {
    const std::string name(Trim(registry::ReadText(kStyleKey, prefix + "FontName", "")));
    if (!name.empty() && name.size() < LF_FACESIZE && (!installed || installed(name))) f.name = name;
    if (const long long v = Number(registry::ReadText(kStyleKey, prefix + "FontCharset", "")); v >= 0 && v <= 255)
        f.charset = static_cast<int>(v);
    if (const long long v = Number(registry::ReadText(kStyleKey, prefix + "FontSize", "")); v >= 1 && v <= 144)
        f.size = static_cast<int>(v);
    const std::string style = registry::ReadText(kStyleKey, prefix + "FontStyle", "");
    f.bold = f.bold || style.find("bold") != std::string::npos;
    f.italic = f.italic || style.find("italic") != std::string::npos;
    f.underline = f.underline || style.find("underline") != std::string::npos;
    f.strikeout = f.strikeout || style.find("strikeout") != std::string::npos;
    if (const long long v = Number(registry::ReadText(kStyleKey, prefix + "FontColor", "")); IsStyleColour(v))
        f.colour = static_cast<COLORREF>(v);
}

void SaveFont(const std::string& prefix, const FontSpec& f, bool& ok) {
    ok = registry::WriteText(kStyleKey, prefix + "FontName", f.name) && ok;
    ok = registry::WriteText(kStyleKey, prefix + "FontCharset", std::to_string(f.charset)) && ok;
    ok = registry::WriteText(kStyleKey, prefix + "FontSize", std::to_string(f.size)) && ok;
    ok = registry::WriteText(kStyleKey, prefix + "FontStyle", FontStyleText(f)) && ok;
    ok = registry::WriteText(kStyleKey, prefix + "FontColor", std::to_string(f.colour)) && ok;
}

int CALLBACK FoundFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

std::string FontStyleText(const FontSpec& f) {
    return std::string(f.bold ? "bold+" : "") + (f.italic ? "italic+" : "") + (f.underline ? "underline+" : "") +
           (f.strikeout ? "strikeout" : "");
}

bool IsStyleColour(long long v) {
    if (v >= 0 && v <= 0xFFFFFF) return true;
    return v >= 0x80000000LL && v <= 0x80000000LL + COLOR_MENUBAR;
}

COLORREF PaintColour(COLORREF c) { return (c & 0x80000000u) ? GetSysColor(static_cast<int>(c & 0xFF)) : c; }

bool FontInstalled(const std::string& name) {
    if (name.empty() || name.size() >= LF_FACESIZE) return false;
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(WindowDC(nullptr).get(), &lf, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

Style LoadStyle(const std::function<bool(const std::string&)>& installed) {
    Style s;
    LoadFont("", s.font, installed);
    if (const long long v = Number(registry::ReadText(kStyleKey, "BgColor", "")); IsStyleColour(v))
        s.background = static_cast<COLORREF>(v);
    LoadFont("Edit", s.edit, installed);
    const std::string editBg(Trim(registry::ReadText(kStyleKey, "EditBgColor", "")));
    const long long v = Number(editBg);
    s.editBackground = editBg.empty() ? kSystemWindowColour : IsStyleColour(v) ? static_cast<COLORREF>(v) : s.editBackground;
    return s;
}

bool SaveStyle(const Style& s) {
    bool ok = true;
    SaveFont("", s.font, ok);
    ok = registry::WriteText(kStyleKey, "BgColor", std::to_string(s.background)) && ok;
    SaveFont("Edit", s.edit, ok);
    ok = registry::WriteText(kStyleKey, "EditBgColor", std::to_string(s.editBackground)) && ok;
    return ok;
}

Style& CurrentStyle() {
    static Style style = LoadStyle();
    return style;
}

void StyleChanged() { Release(); }

HFONT StyleFont() { return Paint().font; }
HFONT StyleEditFont() { return Paint().editFont; }

void ApplyStyleToForm(HWND form) {
    if (!form) return;
    SendMessageA(form, WM_SETFONT, reinterpret_cast<WPARAM>(Paint().font), FALSE);
    SetWindowSubclass(form, StyleProc, kStyleSubclass, 0);
    EnumChildWindows(form, StyleChild, 0);
    InvalidateRect(form, nullptr, TRUE);
}

}  // namespace kl
