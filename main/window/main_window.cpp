#include "window/main_window.h"

#include <commctrl.h>

#include <exception>

#include "ui/dpi.h"
#include "model/language_choice.h"
#include "system/library_binding.h"
#include "system/macro_step.h"
#include "system/active_profile_keys.h"
#include "model/reg_text.h"
#include "ui/style.h"
#include "model/ui_language.h"
#include "model/profile_keys.h"
#include "system/step_trace.h"
#include "system/support_calls.h"
#include "system/hotkey_conflicts.h"
#include "dialogs/edit_hotkey.h"
#include "handle_words.h"
#include "registry_names.h"
#include "text255.h"
#include "window/control_ids.h"
#include "window/startup.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

constexpr char kPageClass[] = "TTabSheet";
// Sizes in pixels at 96 dots per inch; the window scales them to its own (dpi_).
constexpr int kClientWidth = 576;
constexpr int kClientHeight = 392;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 26;
// How long the end waits for the shell to take the tray icon away.
constexpr DWORD kTrayRemovalWaitMs = 150;

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

TfrmMain& MainForm() {
    static TfrmMain form;
    return form;
}

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
    CreateLists();
    options_.Create(instance_, pages_[1], pages_[2], pages_[3], font_);
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
    LayoutLists();
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
    options_.Rescale(dpi_, font_);
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

LRESULT CALLBACK TfrmMain::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TfrmMain* self = reinterpret_cast<TfrmMain*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TfrmMain*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    // No exception may unwind through the window system: an unhandled one ends the
    // program with hotkeys and hooks released.
    try {
        return self->WndProc(msg, wp, lp);
    } catch (const std::exception& e) {
        self->LogAppError(e.what());
    } catch (...) {
        self->LogAppError("Unknown exception");
    }
    return 0;
}

LRESULT TfrmMain::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        creating_ = true;
        FormCreate();
        creating_ = false;
        LibraryCallsEnded();  // what arrived meanwhile runs once the window exists
        return destroyed_ || startFailed_ ? -1 : 0;
    case WM_SHOWWINDOW:
        if (wp) FormShow();
        break;
    case WM_CLOSE:
        btnExitClick();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        CompleteStartup();
        if (!OnOptionCommand(LOWORD(wp), HIWORD(wp)) && !OnListCommand(LOWORD(wp), HIWORD(wp)) &&
            !OnExchangeCommand(LOWORD(wp)))
            OnCommand(LOWORD(wp));
        return 0;
    case WM_HSCROLL:
        OnOptionScroll(reinterpret_cast<HWND>(lp));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_INITMENUPOPUP:
        CompleteStartup();
        if (reinterpret_cast<HMENU>(wp) == menus_.mnProfiles) RefreshProfileMenu();  // mnProfilesClick
        break;
    case WM_QUERYENDSESSION:
        SaveOptionsNow();  // Windows may end the program without a normal exit
        return TRUE;
    case WM_ENDSESSION:
        // The session ends: the program ends as by Exit, at once, with the options saved.
        if (!wp) return 0;
        SaveOptionsNow();
        btnExitClick();
        return 0;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->hwndFrom == pgSettings_ && hdr->code == TCN_SELCHANGE) {
            SelectPage(ActivePage());
            ShowData();  // pgSettingsChange
        }
        OnListNotify(*hdr);
        return 0;
    }
    case WM_DRAWITEM:
        if (sbMain_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        if (DrawListItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_HOTKEY:
        OnHotkey(wp, lp);
        return 0;
    case WM_TIMER:
        if (wp == ids::tmMain) tmMainTimer();
        if (wp == ids::tmSaveOptions) tmSaveOptionsTimer();
        return 0;
    case ids::kRunDeferred:
        RunDeferred();
        return 0;
    case ids::kCompleteStartup:
        CompleteStartup();
        return 0;
    }
    // A restarted shell (Explorer) has a new notification area that knows no icons.
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (msg == taskbarCreated && taskbarCreated != 0) {
        const SettingsBlock* b = Block();
        if (b && !b->NoSysTray && !destroyed_ && !creating_) tray_.Add();
        return 0;
    }
    const LRESULT result = DefWindowProcA(hwnd_, msg, wp, lp);
    if (msg == NotifyMessage() && NotifyMessage() != 0 && Block()) OnNotify(wp, lp);
    return result;
}

void TfrmMain::OnCommand(int id) {
    switch (id) {
    case ids::btnHide: btnHideClick(); break;
    case ids::btnState: btnStateClick(); break;
    case ids::btnExit:
    case ids::mnExit:
    case ids::mnExit2: btnExitClick(); break;
    case ids::mnOpen: mnOpenClick(); break;
    default:
        if (id >= ids::mnCustomFirst && id <= ids::mnCustomLast) mnCustomClick(id - ids::mnCustomFirst);
        if (id >= ids::mnFunctionFirst && id <= ids::mnFunctionLast)
            ExecFunction(static_cast<std::uint32_t>(id - ids::mnFunctionFirst));
        if (id == ids::mnEditLastHotkey) mnEditLastHotkeyClick();
        OnOptionMenuCommand(id);
        if (id == ids::mnNewHotkey) mnNewHotkeyClick();
        break;
    }
}

void TfrmMain::FormCreate() {
    updating_ = true;
    TraceStep("main window created");
    RegisterNotifyMessage();
    InitializeLibraries();
    SettingsBlock* b = Block();
    if (!b) {
        MessageBoxA(nullptr, "Unable to initialize Keyloom!", "Fatal Error", MB_OK | MB_ICONSTOP);
        destroyed_ = true;
        return;
    }
    // With a library missing no hotkey could work: say so instead of running on.
    if (const std::string failure = LibraryLoadFailure(); !failure.empty()) {
        const std::string text = "Unable to initialize Keyloom!\n\n" + failure;
        MessageBoxA(nullptr, text.c_str(), "Fatal Error", MB_OK | MB_ICONSTOP);
        FinalizeLibraries(false);
        destroyed_ = true;
        return;
    }
    b->KeyloomEnabled = kFalse;
    // A settings load that stopped early has loaded what it could: say so and go on.
    // A box lets other messages run, so the block is looked up again after each.
    if (const std::string error = LastSettingsError(); !error.empty()) {
        MessageBoxA(nullptr, error.c_str(), MessageCaption().c_str(), MB_OK | MB_ICONERROR);
        if (destroyed_ || !(b = Block())) return;
    }
    ActiveLanguage().SetDataDirectory(GetText255(b->DataDir));
    languages_ = ActiveLanguage().ListLanguages();
    ChangeLanguage(StartLanguage());
    if (startFailed_ || destroyed_ || !(b = Block())) return;
    TraceStep("language");

    b->NotifyMessage = NotifyMessage();
    auto handle32 = [](HICON icon) { return WordFromHandle(icon); };
    b->IconDefault = handle32(LoadIconA(instance_, "DEFAULT"));
    b->IconPlaying = handle32(LoadIconA(instance_, "PLAYING"));
    b->IconRecording = handle32(LoadIconA(instance_, "RECORDING"));

    InstallHelpKey();
    tray_.Prepare(hwnd_, NotifyMessage(), LoadIconA(instance_, "DEFAULT"));
    if (!b->NoSysTray) tray_.Add();
    TraceStep("tray icon");

    b->StopwatchStartTicks = b->StopwatchStopTicks = b->StopwatchPauseTicks = 0;
    b->StopwatchStartTime = b->StopwatchStopTime = b->StopwatchPauseTime = 0;
    updating_ = false;
    EnableHooks();
    TraceStep("hotkeys");
    StartOptionSaver();
    // The rest waits until the message loop runs: the window answers and its hotkeys
    // work before the hidden window has its controls.
    PostMessageA(hwnd_, ids::kCompleteStartup, 0, 0);
}

// What the first moments do not need: the window's controls and their texts, the
// profiles menu, the lists, and learning whether the system plays a journal. Made once
// the message loop runs, or at once when a message sent to the window meanwhile needs them.
void TfrmMain::CompleteStartup() {
    if (startupCompleted_ || creating_ || destroyed_ || !Block()) return;
    startupCompleted_ = true;
    const bool wasUpdating = updating_;
    updating_ = true;
    // The common controls load here, with their first use.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CreateControls();
    UpdateLanguage();
    updating_ = wasUpdating;
    RefreshProfileMenu();
    ShowData();
    TraceStep("controls, texts and lists");
    ProbeJournalPlayback();
    TraceStep("journal probe");
    WriteStepTrace();
}

void TfrmMain::FormShow() {
    CompleteStartup();
    updating_ = false;
    ApplyStyleToForm(hwnd_);
    if (SettingsBlock* b = Block()) ChangeLanguage(b->Language);
    UpdateLanguage();
    showing_ = true;  // the window is not visible yet while it is being shown
    ShowData();
    showing_ = false;
}

void TfrmMain::FormDestroy() {
    if (destroyed_ && !Block()) return;
    TfrmEditHotkey::Instance().Close();  // puts back what its key capture switched off
    DisableHooks();
    EndTimerPlayback(Block());  // a macro played by the timer lets go of what it holds
    TraceStep("exit: hotkeys off");
    // The shell takes the icon away meanwhile; the end waits for it only so long.
    if (tray_.added()) tray_.BeginRemove();
    FinalizeLibraries();
    TraceStep("exit: options saved, libraries freed");
    DeleteRegTree(reg::kBookmarksKey);
    DeleteRegTree(reg::kTempKey);
    tray_.FinishRemove(kTrayRemovalWaitMs);
    TraceStep("exit: tray icon removed");
    RemoveHelpKey();
    DestroyMainMenus(menus_);
    if (font_) DeleteObject(font_);
    font_ = nullptr;
    destroyed_ = true;
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
    options_.UpdateLanguage(languages_);
    sgHotkeys_.UpdateLanguage();
    SetWindowTextA(btnAdd_, UiText(16, "&Add").c_str());
    SetWindowTextA(btnRemove_, UiText(17, "&Remove").c_str());
    SetWindowTextA(btnModify_, UiText(18, "&Modify").c_str());
    SetWindowTextA(btnHide_, UiText(52, "&Hide").c_str());
    SetWindowTextA(btnExit_, UiText(13, "E&xit").c_str());
    const SettingsBlock* b = Block();
    const bool enabled = b && b->KeyloomEnabled;
    SetWindowTextA(btnState_, enabled ? UiText(14, "&Disable").c_str() : UiText(15, "&Enable").c_str());
    std::string profile = b ? GetText255(b->ProfileName) : std::string();
    sbMain_.SetText(1, profile.empty() ? UiText(238, reg::kDefaultProfile) : profile);
}

void TfrmMain::ShowData() {
    // The active page's list from the registry; the state of hotkey handling on
    // btnState and in the status bar.
    if (!pgSettings_) return;  // made and filled when the controls are made
    LoadData();
    ShowLists();
    const SettingsBlock* b = Block();
    const bool enabled = b && b->KeyloomEnabled;
    const std::string profile = b ? GetText255(b->ProfileName) : std::string();
    SetWindowTextA(btnState_, enabled ? UiText(14, "&Disable").c_str() : UiText(15, "&Enable").c_str());
    const std::string taken = enabled ? TakenCombinationsText() : std::string();  // named until they are free
    Status(!taken.empty() ? taken : enabled ? UiText(94, "Keyloom is enabled") : UiText(93, "Keyloom is disabled"));
    sbMain_.SetText(1, profile.empty() ? UiText(238, reg::kDefaultProfile) : profile);
}

// Only repaints: letting waiting messages run here would run queued hotkeys in the
// middle of the current one.
void TfrmMain::Status(const std::string& text) { sbMain_.SetText(0, text); }

void TfrmMain::sbMainMouseMove() {
    const SettingsBlock* b = Block();
    if (!b) {
        Status("Not initialized");
        return;
    }
    std::string text;
    if (b->LastStatus != 0)
        text = "Last error: " + std::to_string(b->LastStatus);
    else if (!b->KeyloomEnabled || b->HotkeysSuspended)
        text = "Keyloom is Disabled";
    else
        text = "Keyloom is Enabled";
    const std::string profile = GetText255(b->ProfileName);
    if (text != sbMain_.Text(0)) sbMain_.SetText(0, text);
    const std::string panel1 = profile.empty() ? std::string(reg::kDefaultProfile) : profile;
    if (panel1 != sbMain_.Text(1)) sbMain_.SetText(1, panel1);
}

void TfrmMain::ChangeLanguage(int index) {
    const LanguageSwitch result = SwitchLanguage(ActiveLanguage(), languages_, index, languageSelection_);
    switch (result.outcome) {
    case LanguageSwitch::Outcome::Ignored:
        return;
    case LanguageSwitch::Outcome::AlreadyLoaded:
        RememberLanguageFile(ActiveProfileKeys().main, ActiveLanguage().LoadedFileName());
        return;
    case LanguageSwitch::Outcome::Loaded:
        languageSelection_ = result.position;
        if (SettingsBlock* b = Block()) b->Language = result.position;
        RememberLanguageFile(ActiveProfileKeys().main, ActiveLanguage().LoadedFileName());
        return;
    case LanguageSwitch::Outcome::NotOpened:
        languageSelection_ = result.position;
        MessageBoxA(hwnd_, result.message.c_str(), "Error", MB_OK | MB_ICONERROR);
        return;
    case LanguageSwitch::Outcome::Error:
        languageSelection_ = result.position;
        LogAppError(result.message.c_str());
        return;
    }
}

int TfrmMain::StartLanguage() const {
    return StartLanguagePosition(languages_, ActiveLanguage().Extension(), ReadLanguageChoice(ActiveProfileKeys().main),
                                 GetUserDefaultUILanguage());
}

void TfrmMain::LogAppError(const char* what) {
    DisableHooks();
    MessageBoxA(hwnd_, what ? what : "", MessageCaption().c_str(), MB_OK | MB_ICONERROR);
    // During creation the window is not finished yet: creation fails instead, and
    // the window system then destroys it.
    if (creating_)
        startFailed_ = true;
    else if (hwnd_ && !destroyed_)
        DestroyWindow(hwnd_);
}

}  // namespace kl
