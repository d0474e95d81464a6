// Switching hotkey handling on and off: system registrations, the hooks of klhook
// and MouseKeys, with KeyloomEnabled telling the state.
#include <cstdint>

#include "system/hook_install.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "system/system_hotkeys.h"
#include "system/hotkey_conflicts.h"
#include "text255.h"
#include "handle_words.h"
#include "window/main_window.h"
#include "window/startup.h"

namespace kl {
namespace {
constexpr std::uint32_t kMouseKeysOn = 77;
constexpr std::uint32_t kMouseKeysOff = 78;
Handle32 Word(HWND h) { return WordFromHandle(h); }
}  // namespace

// KeyloomEnabled is also switched by functions of klsupport (without touching
// registrations or hooks), so what to undo is decided by what this process installed.
void TfrmMain::EnableHooks() {
    SettingsBlock* b = Block();
    if (!b) return;
    if (!installed_.any()) {
        // Everything the hooks and klsupport read is in place before KeyloomEnabled is set.
        b->AppWindow = Word(hwnd_);
        b->NotifyMessage = NotifyMessage();
        b->MainWindow = Word(hwnd_);
        RegisterSystemHotkeys(hwnd_);
        installed_.registrations = true;
        // Combinations another program holds are named in the status bar.
        if (const std::string taken = TakenCombinationsText(); !taken.empty() && (b = Block())) {
            SetText255(b->StatusText, taken);
            Status(taken);
        }
        if (!b->SimpleMode) {
            Hook();
            installed_.hooks = b->HooksInstalled != 0;
        }
        if (b->MouseKeysEnabled) {
            CallExecuteFunctionEx(kMouseKeysOn, "");
            installed_.mouseKeys = true;
        }
    }
    if ((b = Block())) b->KeyloomEnabled = kTrue;
}

void TfrmMain::DisableHooks() {
    SettingsBlock* b = Block();
    if (!b) return;
    if (installed_.mouseKeys || (installed_.any() && b->MouseKeysEnabled)) {
        CallExecuteFunctionEx(kMouseKeysOff, "");
        if ((b = Block())) b->MouseKeysEnabled = kTrue;  // the option itself stays on
    }
    if (installed_.registrations) UnregisterSystemHotkeys(hwnd_);
    if (installed_.hooks) Unhook();
    installed_ = {};
    if ((b = Block())) b->KeyloomEnabled = kFalse;
}

void TfrmMain::btnStateClick() {
    SettingsBlock* b = Block();
    if (!b) return;
    if (b->KeyloomEnabled)
        DisableHooks();
    else
        EnableHooks();
    ShowData();
}

}  // namespace kl
