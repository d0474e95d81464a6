#include "window/status_bar.h"

#include <commctrl.h>

#include "ui/dpi.h"

namespace kl {

StatusBar::~StatusBar() {
    if (font_) DeleteObject(font_);
}

void StatusBar::Create(HWND parent, int id) {
    hwnd_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SetDpi(WindowDpi(parent));
}

void StatusBar::SetDpi(int dpi) {
    if (!hwnd_) return;
    HFONT old = font_;
    font_ = CreateFontA(-ScaleForDpi(13, dpi), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Verdana");
    if (font_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (old) DeleteObject(old);
    // The last panel (50 pixels at least) reaches to the right edge, as status bars do.
    int edges[2] = {ScaleForDpi(410, dpi), -1};
    SendMessageA(hwnd_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    for (int panel = 0; panel < 2; ++panel) SendMessageA(hwnd_, SB_SETTEXTA, panel | SBT_OWNERDRAW, panel);
    Resize();
}

void StatusBar::SetText(int panel, const std::string& text) {
    if (panel < 0 || panel > 1) return;
    texts_[panel] = text;
    // A hidden bar paints its texts when it is shown: a hotkey's status costs no repaint.
    if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
    // Owner-drawn panels carry their index; the text lives here.
    SendMessageA(hwnd_, SB_SETTEXTA, panel | SBT_OWNERDRAW, panel);
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
}

bool StatusBar::Draw(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != hwnd_ || item.itemID > 1) return false;
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = font_ ? SelectObject(item.hDC, font_) : nullptr;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(255, 0, 0));
    const std::string& text = texts_[item.itemID];
    RECT textRect = r;
    if (item.itemID == 1) {
        DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        textRect.left += 4;
        DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (old) SelectObject(item.hDC, old);
    return true;
}

void StatusBar::Resize() {
    if (hwnd_) SendMessageA(hwnd_, WM_SIZE, 0, 0);
}

}  // namespace kl
