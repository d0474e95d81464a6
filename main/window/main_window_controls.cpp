// The main window's class and controls: the page control with its five pages, the
// buttons and the status bar, their places at the window's dots per inch, and their
// texts in the loaded language.
#include <commctrl.h>

#include "model/ui_language.h"
#include "registry_names.h"
#include "system/library_binding.h"
#include "system/step_trace.h"
#include "text255.h"
#include "ui/app_identity.h"
#include "ui/dpi.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "window/window_texts.h"

namespace kl {
namespace {

constexpr char kPageClass[] = "TTabSheet";
// Sizes in pixels at 96 dots per inch; the window scales them to its own (dpi_).
constexpr int kClientWidth = 576;
constexpr int kClientHeight = 392;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 26;

struct PageInfo {
    int text;
    const char* fallback;
};
constexpr PageInfo kPages[TfrmMain::kPageCount] = {
    {59, "Hotkeys"}, {67, "Options"}, {69, "Defaults"}, {68, "MouseKeys"}, {60, "Aliases"}};

// A page forwards what its controls report to the main window.
LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
    case WM_CTLCOLORSTATIC:  // check boxes and labels on the page's own colour
        SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK StatusBarSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    if (msg == WM_MOUSEMOVE) reinterpret_cast<TfrmMain*>(ref)->sbMainMouseMove();
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

bool TfrmMain::Create(HINSTANCE instance, const std::string& dataDir) {
    instance_ = instance;
    dataDir_ = dataDir;
    OnLibraryCallsEnded(&TfrmMain::LibraryCallsEnded);

    WNDCLASSEXA page{};
    page.cbSize = sizeof page;
    page.lpfnWndProc = PageProc;
    page.hInstance = instance;
    page.hCursor = LoadCursor(nullptr, IDC_ARROW);
    page.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    page.lpszClassName = kPageClass;
    RegisterClassExA(&page);

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hIcon = LoadIconA(instance, "DEFAULT");
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, "DEFAULT", IMAGE_ICON, 16, 16, 0));
    wc.lpszClassName = kMainWindowClass;
    if (!RegisterClassExA(&wc)) return false;
    TraceStep("window classes");

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    dpi_ = SystemDpi();  // the window's own follows with WM_DPICHANGED
    RECT r{0, 0, ScaleForDpi(kClientWidth, dpi_), ScaleForDpi(kClientHeight, dpi_)};
    menus_ = CreateMainMenus();
    runner_.SetRecentMenu(menus_.mnCustom);
    TraceStep("menus");
    AdjustWindowRectForDpi(r, style, true, WS_EX_CONTROLPARENT, dpi_);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    CreateWindowExA(WS_EX_CONTROLPARENT, kMainWindowClass, kApplicationTitle, style, x, y, w, h, nullptr, menus_.mmMain,
                    instance, this);
    return hwnd_ != nullptr && IsWindow(hwnd_) && !destroyed_ && !startFailed_;
}

void TfrmMain::CreateControls() {
    font_ = CreateMessageFont(dpi_);
    auto child = [&](HWND parent, const char* cls, const char* text, DWORD style, int id) {
        HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        if (font_) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return c;
    };
    pgSettings_ = child(hwnd_, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED, ids::pgSettings);
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        std::string text = kPages[i].text >= 0 ? UiText(kPages[i].text, kPages[i].fallback) : kPages[i].fallback;
        item.pszText = text.data();
        item.lParam = i + 1;  // the page's tag
        SendMessageA(pgSettings_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        pages_[i] = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | (i == 0 ? WS_VISIBLE : 0), 0, 0,
                                    0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::tabHotkeys + i)),
                                    instance_, nullptr);
    }
    const DWORD push = WS_TABSTOP | BS_PUSHBUTTON;
    btnAdd_ = child(hwnd_, WC_BUTTONA, "&Add", push, ids::btnAdd);
    btnRemove_ = child(hwnd_, WC_BUTTONA, "&Remove", push, ids::btnRemove);
    btnModify_ = child(hwnd_, WC_BUTTONA, "&Modify", push, ids::btnModify);
    btnHide_ = child(hwnd_, WC_BUTTONA, "&Hide", push, ids::btnHide);
    btnState_ = child(hwnd_, WC_BUTTONA, "&Disable", push, ids::btnState);
    btnExit_ = child(hwnd_, WC_BUTTONA, "E&xit", push, ids::btnExit);
    lists_.Create(instance_, Lists::Places{hwnd_, pages_[Lists::kHotkeysPage], pages_[Lists::kAliasesPage],
                                           {btnAdd_, btnRemove_, btnModify_}, menus_.pmHotkeys},
                  font_);
    options_.pages().Create(instance_, pages_[1], pages_[2], pages_[3], font_);
    sbMain_.Create(hwnd_, ids::sbMain);
    SetWindowSubclass(sbMain_.handle(), StatusBarSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
    Layout();
}

void TfrmMain::Layout() {
    if (!pgSettings_) return;
    const int margin = ScaleForDpi(kMargin, dpi_), buttonWidth = ScaleForDpi(kButtonWidth, dpi_);
    const int buttonHeight = ScaleForDpi(kButtonHeight, dpi_), gap = ScaleForDpi(6, dpi_);
    RECT client;
    GetClientRect(hwnd_, &client);
    sbMain_.Resize();
    RECT sb{};
    GetWindowRect(sbMain_.handle(), &sb);
    const int bottom = client.bottom - (sb.bottom - sb.top) - margin;
    const int tabWidth = client.right - 3 * margin - buttonWidth;
    MoveWindow(pgSettings_, margin, margin, tabWidth, bottom - margin, TRUE);
    RECT display{margin, margin, margin + tabWidth, bottom};
    SendMessageA(pgSettings_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : pages_)
        SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOACTIVATE);
    const int bx = client.right - margin - buttonWidth;
    int y = margin + ScaleForDpi(22, dpi_);
    for (HWND b : {btnAdd_, btnRemove_, btnModify_}) {
        MoveWindow(b, bx, y, buttonWidth, buttonHeight, TRUE);
        y += buttonHeight + gap;
    }
    y = bottom - 3 * (buttonHeight + gap) + gap;
    for (HWND b : {btnHide_, btnState_, btnExit_}) {
        MoveWindow(b, bx, y, buttonWidth, buttonHeight, TRUE);
        y += buttonHeight + gap;
    }
    lists_.Layout();
}

// The window moved to a display of other dots per inch: the system suggests the new
// frame; fonts, controls and the status bar follow.
void TfrmMain::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    HFONT old = font_;
    font_ = CreateMessageFont(dpi_);
    auto setFont = [](HWND child, LPARAM font) -> BOOL {
        SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
        return TRUE;
    };
    for (HWND parent : {hwnd_, pages_[0], pages_[4]})
        for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (c != sbMain_.handle()) setFont(c, reinterpret_cast<LPARAM>(font_));
    options_.pages().Rescale(dpi_, font_);
    sbMain_.SetDpi(dpi_);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    if (old) DeleteObject(old);
}

int TfrmMain::ActivePage() const {
    return pgSettings_ ? static_cast<int>(SendMessageA(pgSettings_, TCM_GETCURSEL, 0, 0)) : -1;
}

void TfrmMain::SelectPage(int page) {
    if (!pgSettings_ || page < 0 || page >= kPageCount) return;
    SendMessageA(pgSettings_, TCM_SETCURSEL, page, 0);
    for (int i = 0; i < kPageCount; ++i) ShowWindow(pages_[i], i == page ? SW_SHOW : SW_HIDE);
}


void TfrmMain::UpdateLanguage() {
    SetWindowTextA(hwnd_, kApplicationTitle);
    UpdateMenuTexts(menus_);
    DrawMenuBar(hwnd_);
    if (!pgSettings_) return;  // the controls take their texts when they are made
    for (int i = 0; i < kPageCount; ++i) {
        std::string text = kPages[i].text >= 0 ? UiText(kPages[i].text, kPages[i].fallback) : kPages[i].fallback;
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(pgSettings_, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    options_.pages().UpdateLanguage(languages_);
    lists_.grid().UpdateLanguage();
    SetWindowTextA(btnAdd_, UiText(texts::kAddButton, "&Add").c_str());
    SetWindowTextA(btnRemove_, UiText(texts::kRemoveButton, "&Remove").c_str());
    SetWindowTextA(btnModify_, UiText(texts::kModifyButton, "&Modify").c_str());
    SetWindowTextA(btnHide_, UiText(texts::kHideButton, "&Hide").c_str());
    SetWindowTextA(btnExit_, UiText(texts::kExitButton, "E&xit").c_str());
    const SettingsBlock* b = Block();
    const bool enabled = b && b->KeyloomEnabled;
    SetWindowTextA(btnState_, enabled ? UiText(texts::kDisableButton, "&Disable").c_str() : UiText(texts::kEnableButton, "&Enable").c_str());
    std::string profile = b ? GetText255(b->ProfileName) : std::string();
    sbMain_.SetText(1, profile.empty() ? UiText(texts::kDefaultProfileName, reg::kDefaultProfile) : profile);
}

// pgSettingsDrawTab: the page tabs in the window's font.
bool TfrmMain::DrawTab(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_TAB || item.hwndItem != pgSettings_) return false;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    char text[128] = {};
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    tab.cchTextMax = sizeof text;
    SendMessageA(pgSettings_, TCM_GETITEMA, item.itemID, reinterpret_cast<LPARAM>(&tab));
    HGDIOBJ old = font_ ? SelectObject(item.hDC, font_) : nullptr;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    TextOutA(item.hDC, item.rcItem.left + 4, item.rcItem.top + 4, text, lstrlenA(text));
    if (old) SelectObject(item.hDC, old);
    return true;
}

}  // namespace kl
