#include "window_checks.h"

#include <algorithm>
#include <sstream>

namespace kl::testing {
namespace {

RECT RectIn(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(HWND w) {
    std::ostringstream s;
    s << WindowClass(w) << " \"" << WindowTextOf(w) << "\" (id " << GetDlgCtrlID(w) << ")";
    return s.str();
}

std::string Rect(const RECT& r) {
    std::ostringstream s;
    s << "[" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << "]";
    return s.str();
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Group boxes and tab controls are drawn around the controls they hold.
bool IsFrame(HWND w) {
    const std::string cls = WindowClass(w);
    if (lstrcmpiA(cls.c_str(), "SysTabControl32") == 0) return true;
    return lstrcmpiA(cls.c_str(), "Button") == 0 && (GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) children.push_back(c);
    return children;
}

// The caption without its accelerator marks, as the control draws it.
std::string Drawn(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// The room a control leaves for its caption, or -1 when it shows none of its own.
int CaptionRoom(HWND w, int dpi) {
    const std::string cls = WindowClass(w);
    RECT r{};
    GetClientRect(w, &r);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    if (lstrcmpiA(cls.c_str(), "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_LEFTNOWORDWRAP || type == SS_CENTER || type == SS_RIGHT ? r.right : -1;
    }
    if (lstrcmpiA(cls.c_str(), "Button") != 0) return -1;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE:
        return r.right - MulDiv(18, dpi, 96);  // the box and its gap
    case BS_GROUPBOX:
        return r.right - MulDiv(16, dpi, 96);
    default:
        return r.right - MulDiv(6, dpi, 96);  // push buttons: their edges
    }
}

}  // namespace

std::string WindowClass(HWND window) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    return cls;
}

std::string WindowTextOf(HWND window) {
    char text[512] = {};
    // WM_GETTEXT reaches a control of another process; GetWindowText would not.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return text;
}

std::vector<HWND> VisibleDescendants(HWND parent) {
    std::vector<HWND> all;
    for (HWND c : VisibleChildren(parent)) {
        all.push_back(c);
        const std::string cls = WindowClass(c);
        if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) continue;  // its edit and list are its own
        for (HWND d : VisibleDescendants(c)) all.push_back(d);
    }
    return all;
}

std::vector<std::string> LayoutFaults(HWND top, int dpi) {
    std::vector<std::string> faults;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTA lf = metrics.lfMessageFont;
    lf.lfHeight = MulDiv(lf.lfHeight, dpi, 96);
    HFONT font = CreateFontIndirectA(&lf);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);

    std::vector<HWND> parents{top};
    for (HWND w : VisibleDescendants(top))
        if (lstrcmpiA(WindowClass(w).c_str(), "ComboBox") != 0) parents.push_back(w);
    for (HWND parent : parents) {
        RECT client{};
        GetClientRect(parent, &client);
        const std::vector<HWND> children = VisibleChildren(parent);
        for (std::size_t i = 0; i < children.size(); ++i) {
            const RECT r = RectIn(parent, children[i]);
            if (!Contains(client, r))
                faults.push_back(Describe(children[i]) + " " + Rect(r) + " reaches outside " + Describe(parent) +
                                 " " + Rect(client));
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                const RECT o = RectIn(parent, children[j]);
                RECT both{};
                if (!IntersectRect(&both, &r, &o)) continue;
                if ((IsFrame(children[i]) && Contains(r, o)) || (IsFrame(children[j]) && Contains(o, r))) continue;
                faults.push_back(Describe(children[i]) + " " + Rect(r) + " overlaps " + Describe(children[j]) + " " +
                                 Rect(o));
            }
            const int room = CaptionRoom(children[i], dpi);
            const std::string caption = Drawn(WindowTextOf(children[i]));
            if (room < 0 || caption.empty()) continue;
            SIZE size{};
            GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
            RECT box{};
            GetClientRect(children[i], &box);
            if (size.cx > room || size.cy > box.bottom)
                faults.push_back(Describe(children[i]) + " needs " + std::to_string(size.cx) + "x" +
                                 std::to_string(size.cy) + " pixels for its caption, has " + std::to_string(room) +
                                 "x" + std::to_string(box.bottom));
        }
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return faults;
}

}  // namespace kl::testing
