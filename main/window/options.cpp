#include "window/options.h"

#include <commctrl.h>

#include <string>

#include "model/ui_language.h"
#include "mouse_keys_service.h"
#include "system/active_profile_keys.h"
#include "system/support_calls.h"
#include "system/system_options.h"
#include "text255.h"
#include "window/control_ids.h"
#include "window/option_ids.h"
#include "window/window_texts.h"

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

void Options::Load(int languageSelection) {
    SettingsBlock* b = block_();
    if (updating_ || !b) return;
    updating_ = true;
    pages_.Load(*b, languageSelection);
    pages_.EnableAdvanced(!b->SimpleMode);
    pages_.offInPrograms().Load(ActiveProfileKeys().main);
    updating_ = false;
}

void Options::Store() {
    SettingsBlock* b = block_();
    if (updating_ || !b) return;
    updating_ = true;
    if (!pages_.Store(*b)) SetText255(b->StatusText, "Failed to save certain settings.");
    updating_ = false;
}

bool Options::OnCommand(int id, int code) {
    if (!pages_.Owns(id)) return false;
    if (updating_) return true;
    if (pages_.offInPrograms().Owns(id)) {
        pages_.offInPrograms().OnCommand(id, code);
        return true;
    }
    if (id == ids::cbLanguage) {
        if (code == CBN_SELCHANGE) languageChosen_(pages_.LanguageSelection());
        return true;
    }
    if (id == ids::ebMKSpeedMod) {
        if (code == EN_CHANGE) Store();
        return true;
    }
    if (code != BN_CLICKED) return true;
    switch (id) {
    case ids::cbLoadDuringStartup: LoadDuringStartupClicked(); break;
    case ids::cbDesktopShortcut: DesktopShortcutClicked(); break;
    case ids::cbMKEnabled: MouseKeysClicked(); break;
    case ids::cbSimpleMode:
        updating_ = true;
        SwitchMode(pages_.Checked(ids::cbSimpleMode));
        updating_ = false;
        break;
    case ids::cbWinDefaultsEnabled: WinDefaultsClicked(); break;
    case ids::cbWinKeyEnabled: WinKeyClicked(); break;
    default: Store(); break;  // cbOnlineHelpClick
    }
    return true;
}

void Options::OnScroll(HWND control) {
    // tbMKSpeedChange, tbMKAccelerationChange: the label follows even while updating.
    if (control != pages_.Control(ids::tbMKSpeed) && control != pages_.Control(ids::tbMKAcceleration)) return;
    pages_.RefreshTrackLabels();
    Store();
}

void Options::LoadDuringStartupClicked() {
    SetRunAtStartup(kRunValueName, RunCommandLine(ProgramPath()), pages_.Checked(ids::cbLoadDuringStartup));
    Store();
}

void Options::DesktopShortcutClicked() {
    SetDesktopShortcut(pages_.Checked(ids::cbDesktopShortcut), ProgramPath(), dataDir_);
    Store();
}

void Options::MouseKeysClicked() {
    SettingsBlock* b = block_();
    if (!b) return;
    const bool on = pages_.Checked(ids::cbMKEnabled);
    SetMouseKeys(*b, on);
    b->MouseKeysEnabled = on ? kTrue : kFalse;
    Store();
}

void Options::SwitchMode(bool simple) {
    SettingsBlock* b = block_();
    if (!b) return;
    hotkeys_.Disable();
    if (!(b = block_())) return;
    b->SimpleMode = simple ? kTrue : kFalse;
    status_.SetText(0, simple ? UiText(texts::kSimpleModeStatus, "Simple mode") : UiText(texts::kAdvancedModeStatus, "Advanced mode"));
    pages_.EnableAdvanced(!simple);
    hotkeys_.Enable();
}

void Options::WinDefaultsClicked() {
    const bool on = pages_.Checked(ids::cbWinDefaultsEnabled);
    for (int id : {ids::cbWinD, ids::cbWinE, ids::cbWinF, ids::cbWinM, ids::cbWinR, ids::cbWinU, ids::cbWinV})
        pages_.SetChecked(id, on);
    Store();
}

void Options::WinKeyClicked() {
    const bool on = pages_.Checked(ids::cbWinKeyEnabled);
    pages_.SetChecked(ids::cbLWinKeyEnabled, on);
    pages_.SetChecked(ids::cbRWinKeyEnabled, on);
    Store();
}

void Options::StartSaver() {
    RememberSaved();
    SetTimer(window_, ids::tmSaveOptions, kSaveCheckMs, nullptr);
}

// Whatever changed the options (these pages, a hotkey's function, the hook's speed
// keys), a crash or a power cut loses at most the last seconds.
void Options::OnSaveTimer() {
    const SettingsBlock* b = block_();
    if (!b || stopped_ || TakeOptionSnapshot(*b) == saved_) return;
    SaveNow();
}

void Options::SaveNow() {
    const SettingsBlock* b = block_();
    if (!b) return;
    const OptionSnapshot now = TakeOptionSnapshot(*b);
    SaveSettings();
    saved_ = now;
}

void Options::RememberSaved() {
    if (const SettingsBlock* b = block_()) saved_ = TakeOptionSnapshot(*b);
}

}  // namespace kl
