// The main window's option pages: their handlers, the mode switch and keeping the
// options in the registry. Every change is live in the block at once; the registry
// follows within seconds, at the end of the session and at exit.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "system/active_profile_keys.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "system/system_options.h"
#include "mouse_keys_service.h"
#include "model/ui_language.h"
#include "text255.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "window/option_ids.h"

namespace kl {
namespace {

// How often the options are compared with what was last written.
constexpr UINT kSaveCheckMs = 2000;

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
}

}  // namespace

void TfrmMain::LoadData() {
    SettingsBlock* b = Block();
    if (updating_ || !b) return;
    updating_ = true;
    options_.Load(*b, languageSelection_);
    options_.EnableAdvanced(!b->SimpleMode);
    options_.offInPrograms().Load(ActiveProfileKeys().main);
    updating_ = false;
}

void TfrmMain::SaveData() {
    SettingsBlock* b = Block();
    if (updating_ || !b) return;
    updating_ = true;
    if (!options_.Store(*b)) SetText255(b->StatusText, "Failed to save certain settings.");
    updating_ = false;
}

bool TfrmMain::OnOptionCommand(int id, int code) {
    if (!options_.Owns(id)) return false;
    if (updating_) return true;
    if (options_.offInPrograms().Owns(id)) {
        options_.offInPrograms().OnCommand(id, code);
        return true;
    }
    if (id == ids::cbLanguage) {
        if (code == CBN_SELCHANGE) cbLanguageChange();
        return true;
    }
    if (id == ids::ebMKSpeedMod) {
        if (code == EN_CHANGE) SaveData();
        return true;
    }
    if (code != BN_CLICKED) return true;
    switch (id) {
    case ids::cbLoadDuringStartup: cbLoadDuringStartupClick(); break;
    case ids::cbDesktopShortcut: cbDesktopShortcutClick(); break;
    case ids::cbMKEnabled: cbMKEnabledClick(); break;
    case ids::cbSimpleMode: cbSimpleModeClick(); break;
    case ids::cbWinDefaultsEnabled: cbWinDefaultsEnabledClick(); break;
    case ids::cbWinKeyEnabled: cbWinKeyEnabledClick(); break;
    default: SaveData(); break;  // cbOnlineHelpClick
    }
    return true;
}

void TfrmMain::OnOptionScroll(HWND control) {
    // tbMKSpeedChange, tbMKAccelerationChange: the label follows even while updating.
    if (control != options_.Control(ids::tbMKSpeed) && control != options_.Control(ids::tbMKAcceleration)) return;
    options_.RefreshTrackLabels();
    SaveData();
}

void TfrmMain::cbLoadDuringStartupClick() {
    SetRunAtStartup(kRunValueName, RunCommandLine(ProgramPath()), options_.Checked(ids::cbLoadDuringStartup));
    SaveData();
}

void TfrmMain::cbDesktopShortcutClick() {
    SetDesktopShortcut(options_.Checked(ids::cbDesktopShortcut), ProgramPath(), dataDir_);
    SaveData();
}

void TfrmMain::cbMKEnabledClick() {
    SettingsBlock* b = Block();
    if (!b) return;
    const bool on = options_.Checked(ids::cbMKEnabled);
    SetMouseKeys(*b, on);
    b->MouseKeysEnabled = on ? kTrue : kFalse;
    SaveData();
}

void TfrmMain::cbSimpleModeClick() {
    updating_ = true;
    SwitchMode(options_.Checked(ids::cbSimpleMode));
    updating_ = false;
}

void TfrmMain::SwitchMode(bool simple) {
    SettingsBlock* b = Block();
    if (!b) return;
    DisableHooks();
    if (!(b = Block())) return;
    b->SimpleMode = simple ? kTrue : kFalse;
    Status(simple ? UiText(91, "Simple mode") : UiText(92, "Advanced mode"));
    options_.EnableAdvanced(!simple);
    EnableHooks();
}

void TfrmMain::cbLanguageChange() {
    const int selection = options_.LanguageSelection();
    updating_ = true;
    ChangeLanguage(selection);
    UpdateLanguage();
    updating_ = false;
    ShowData();
}

void TfrmMain::cbWinDefaultsEnabledClick() {
    const bool on = options_.Checked(ids::cbWinDefaultsEnabled);
    for (int id : {ids::cbWinD, ids::cbWinE, ids::cbWinF, ids::cbWinM, ids::cbWinR, ids::cbWinU, ids::cbWinV})
        options_.SetChecked(id, on);
    SaveData();
}

void TfrmMain::cbWinKeyEnabledClick() {
    const bool on = options_.Checked(ids::cbWinKeyEnabled);
    options_.SetChecked(ids::cbLWinKeyEnabled, on);
    options_.SetChecked(ids::cbRWinKeyEnabled, on);
    SaveData();
}

bool TfrmMain::OnOptionMenuCommand(int id) {
    if (id >= ids::mnProfileFirst && id <= ids::mnProfileLast) {
        const std::size_t index = static_cast<std::size_t>(id - ids::mnProfileFirst);
        // mnProfile1 is the default profile.
        if (index < profileMenu_.size()) LoadProfile(index == 0 ? std::string() : profileMenu_[index], true);
        return true;
    }
    switch (id) {
    case ids::mnEditProfiles:
    case ids::mnNewProfile: mnEditProfilesClick(); return true;
    case ids::mnKbdSetup: mnKbdSetupClick(); return true;
    default: return false;
    }
}

void TfrmMain::StartOptionSaver() {
    if (const SettingsBlock* b = Block()) savedOptions_ = TakeOptionSnapshot(*b);
    SetTimer(hwnd_, ids::tmSaveOptions, kSaveCheckMs, nullptr);
}

// Whatever changed the options (these pages, a hotkey's function, the hook's speed
// keys), a crash or a power cut loses at most the last seconds.
void TfrmMain::tmSaveOptionsTimer() {
    const SettingsBlock* b = Block();
    if (!b || destroyed_ || TakeOptionSnapshot(*b) == savedOptions_) return;
    SaveOptionsNow();
}

void TfrmMain::SaveOptionsNow() {
    const SettingsBlock* b = Block();
    if (!b) return;
    const OptionSnapshot now = TakeOptionSnapshot(*b);
    SaveSettings();
    savedOptions_ = now;
}

}  // namespace kl
