#include "ui/dpi.h"
#include "ui/gdi_owners.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace kl {
namespace {

// Entry points of newer systems, looked up once.
struct DpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* parametersForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
    BOOL(WINAPI* adjustForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT) = nullptr;

    DpiFunctions() {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        if (!user32) return;
        auto find = [user32](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(
                reinterpret_cast<void*>(GetProcAddress(user32, name)));
        };
        find(getDpiForWindow, "GetDpiForWindow");
        find(parametersForDpi, "SystemParametersInfoForDpi");
        find(adjustForDpi, "AdjustWindowRectExForDpi");
    }
};

const DpiFunctions& Functions() {
    static const DpiFunctions functions;
    return functions;
}

bool MessageFontAt(int dpi, LOGFONTA& font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW wide{};
    if (Functions().parametersForDpi &&
        Functions().parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        wide = metrics.lfMessageFont;
    } else {
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
        wide = metrics.lfMessageFont;
        wide.lfHeight = MulDiv(wide.lfHeight, dpi, SystemDpi());
    }
    std::memcpy(&font, &wide, offsetof(LOGFONTA, lfFaceName));
    if (!WideCharToMultiByte(CP_ACP, 0, wide.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr, nullptr))
        font.lfFaceName[0] = '\0';
    return true;
}

}  // namespace

int SystemDpi() {
    const WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kBaseDpi;
    return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND window) {
    if (window && Functions().getDpiForWindow) {
        const UINT dpi = Functions().getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

HFONT CreateMessageFont(int dpi) {
    LOGFONTA font{};
    return MessageFontAt(dpi, font) ? CreateFontIndirectA(&font) : nullptr;
}

TemplateFont MessageTemplateFont() {
    TemplateFont chosen;
    LOGFONTA font{};
    const int dpi = SystemDpi();
    if (!MessageFontAt(dpi, font) || font.lfFaceName[0] == '\0' || font.lfHeight == 0) return chosen;
    const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    const int points = MulDiv(height, 72, dpi);
    if (points < 6 || points > 24) return chosen;  // a setting no dialog is laid out for
    std::memcpy(chosen.face, font.lfFaceName, LF_FACESIZE);
    chosen.points = points;
    return chosen;
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    if (Functions().adjustForDpi && Functions().adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi)))
        return;
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}

int LineHeight(HWND window, HFONT font, int padding) {
    const WindowDC dc(window);
    if (!dc) return 16 + padding;
    const SelectedObject selected(dc.get(), font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    return static_cast<int>(tm.tmHeight) + padding;
}

void RefitOwnerDrawnItems(HWND dialog, int padding, int minimum) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    const int height = std::max(LineHeight(dialog, font, ScaleForDpi(padding, WindowDpi(dialog))),
                                ScaleForDpi(minimum, WindowDpi(dialog)));
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        const LONG style = GetWindowLongA(c, GWL_STYLE);
        if (lstrcmpiA(cls, "ComboBox") == 0 && (style & CBS_OWNERDRAWFIXED)) {
            SendMessageA(c, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
            SendMessageA(c, CB_SETITEMHEIGHT, 0, height);
        } else if (lstrcmpiA(cls, "ListBox") == 0 && (style & LBS_OWNERDRAWFIXED)) {
            SendMessageA(c, LB_SETITEMHEIGHT, 0, height);
            InvalidateRect(c, nullptr, TRUE);
        }
    }
}

}  // namespace kl
