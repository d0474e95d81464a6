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
#include "window/window_texts.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

// How long the end waits for the shell to take the tray icon away.
constexpr DWORD kTrayRemovalWaitMs = 150;

}  // namespace

TfrmMain& MainForm() {
    static TfrmMain form;
    return form;
}

TfrmMain::TfrmMain()
    : hotkeys_(BlockAccess(&Block), sbMain_),
      runner_(BlockAccess(&Block), sbMain_),
      notifications_(*this, BlockAccess(&Block)),
      timer_(BlockAccess(&Block)),
      options_(BlockAccess(&Block), sbMain_, hotkeys_, dataDir_, [this](int selection) { cbLanguageChange(selection); }),
      macros_(BlockAccess(&Block), [this] { return mnNewHotkeyClick(); }),
      settings_(*this, BlockAccess(&Block), dataDir_, options_.pages(), pages_),
      profiles_(*this, BlockAccess(&Block), {sbMain_, hotkeys_, options_, tray_, menus_, dataDir_}),
      lists_(*this, BlockAccess(&Block), hotkeys_, dataDir_) {}

LRESULT CALLBACK TfrmMain::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TfrmMain* self = reinterpret_cast<TfrmMain*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<TfrmMain*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
        self->hotkeys_.SetWindow(hwnd);
        self->timer_.SetWindow(hwnd);
        self->options_.SetWindow(hwnd);
        self->profiles_.SetWindow(hwnd);
        self->macros_.SetOwner(hwnd);
        self->settings_.SetOwner(hwnd);
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
        if (!options_.OnCommand(LOWORD(wp), HIWORD(wp)) && !lists_.OnCommand(LOWORD(wp), HIWORD(wp)) &&
            !OnTrayCommand(LOWORD(wp)) && !OnHelpCommand(LOWORD(wp)) &&
            !macros_.OnCommand(LOWORD(wp)) && !settings_.OnCommand(LOWORD(wp)))
            OnCommand(LOWORD(wp));
        return 0;
    case WM_HSCROLL:
        options_.OnScroll(reinterpret_cast<HWND>(lp));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_INITMENUPOPUP:
        CompleteStartup();
        if (reinterpret_cast<HMENU>(wp) == menus_.mnProfiles) profiles_.RefreshMenu();  // mnProfilesClick
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
        lists_.OnNotify(*hdr);
        return 0;
    }
    case WM_DRAWITEM:
        if (sbMain_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        if (DrawTab(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        if (lists_.DrawAliasItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_HOTKEY:
        runner_.OnSystemHotkey(hwnd_, wp, lp);
        return 0;
    case WM_TIMER:
        if (wp == ids::tmMain) timer_.Tick();
        if (wp == ids::tmSaveOptions) options_.OnSaveTimer();
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
    if (msg == NotifyMessage() && NotifyMessage() != 0 && Block()) notifications_.Route(wp, lp);
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
        if (id >= ids::mnCustomFirst && id <= ids::mnCustomLast) runner_.RunRecent(id - ids::mnCustomFirst);
        if (id >= ids::mnFunctionFirst && id <= ids::mnFunctionLast)
            ExecFunction(static_cast<std::uint32_t>(id - ids::mnFunctionFirst));
        if (id == ids::mnEditLastHotkey) mnEditLastHotkeyClick();
        profiles_.OnMenuCommand(id);
        if (id == ids::mnNewHotkey) mnNewHotkeyClick();
        break;
    }
}

void TfrmMain::FormCreate() {
    options_.SetUpdating(true);
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
    options_.SetUpdating(false);
    hotkeys_.Enable();
    TraceStep("hotkeys");
    options_.StartSaver();
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
    const bool wasUpdating = options_.Updating();
    options_.SetUpdating(true);
    // The common controls load here, with their first use.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CreateControls();
    UpdateLanguage();
    options_.SetUpdating(wasUpdating);
    profiles_.RefreshMenu();
    ShowData();
    TraceStep("controls, texts and lists");
    ProbeJournalPlayback();
    TraceStep("journal probe");
    WriteStepTrace();
}

void TfrmMain::FormShow() {
    CompleteStartup();
    options_.SetUpdating(false);
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
    hotkeys_.Disable();
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
    runner_.Stop();  // its submenu goes with the menus
    options_.Stop();
    DestroyMainMenus(menus_);
    if (font_) DeleteObject(font_);
    font_ = nullptr;
    destroyed_ = true;
}

void TfrmMain::ShowData() {
    // The active page's list from the registry; the state of hotkey handling on
    // btnState and in the status bar.
    if (!pgSettings_) return;  // made and filled when the controls are made
    LoadData();
    lists_.Show();
    const SettingsBlock* b = Block();
    const bool enabled = b && b->KeyloomEnabled;
    const std::string profile = b ? GetText255(b->ProfileName) : std::string();
    SetWindowTextA(btnState_, enabled ? UiText(texts::kDisableButton, "&Disable").c_str() : UiText(texts::kEnableButton, "&Enable").c_str());
    const std::string taken = enabled ? TakenCombinationsText() : std::string();  // named until they are free
    Status(!taken.empty() ? taken : enabled ? UiText(texts::kEnabledStatus, "Keyloom is enabled") : UiText(texts::kDisabledStatus, "Keyloom is disabled"));
    sbMain_.SetText(1, profile.empty() ? UiText(texts::kDefaultProfileName, reg::kDefaultProfile) : profile);
}

void TfrmMain::LoadData() { options_.Load(languageSelection_); }

void TfrmMain::SaveData() { options_.Store(); }

void TfrmMain::SaveOptionsNow() { options_.SaveNow(); }

void TfrmMain::cbLanguageChange(int selection) {
    options_.SetUpdating(true);
    ChangeLanguage(selection);
    UpdateLanguage();
    options_.SetUpdating(false);
    ShowData();
}

void TfrmMain::RunEditingDialog(const std::function<void()>& dialog) {
    ProfileSwitch::EditingScope open(profiles_);
    dialog();
}

void TfrmMain::ApplyStartLanguage() {
    ChangeLanguage(StartLanguage());
    UpdateLanguage();
}

void TfrmMain::RefreshPages() {
    LoadData();
    ShowData();
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
    hotkeys_.Disable();
    MessageBoxA(hwnd_, what ? what : "", MessageCaption().c_str(), MB_OK | MB_ICONERROR);
    // During creation the window is not finished yet: creation fails instead, and
    // the window system then destroys it.
    if (creating_)
        startFailed_ = true;
    else if (hwnd_ && !destroyed_)
        DestroyWindow(hwnd_);
}

}  // namespace kl
