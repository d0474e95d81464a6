#include "window/hotkey_switch.h"

#include <cstdint>
#include <string>

#include "handle_words.h"
#include "system/hook_install.h"
#include "system/support_calls.h"
#include "system/system_hotkeys.h"
#include "system/hotkey_conflicts.h"
#include "system/program_filter_sync.h"
#include "text255.h"
#include "window/startup.h"

namespace kl {
namespace {
constexpr std::uint32_t kMouseKeysOn = 77;
constexpr std::uint32_t kMouseKeysOff = 78;
}  // namespace

void HotkeySwitch::Enable() {
    SettingsBlock* b = block_();
    if (!b) return;
    if (!installed_.any()) {
        // Everything the hooks and klsupport read is in place before KeyloomEnabled is set.
        b->AppWindow = WordFromHandle(window_);
        b->NotifyMessage = NotifyMessage();
        b->MainWindow = WordFromHandle(window_);
        RegisterSystemHotkeys(window_);
        installed_.registrations = true;
        // Combinations another program holds are named in the status bar.
        if (const std::string taken = TakenCombinationsText(); !taken.empty() && (b = block_())) {
            SetText255(b->StatusText, taken);
            status_.SetText(0, taken);
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
    if ((b = block_())) b->KeyloomEnabled = kTrue;
}

void HotkeySwitch::Disable() {
    SettingsBlock* b = block_();
    if (!b) return;
    if (installed_.mouseKeys || (installed_.any() && b->MouseKeysEnabled)) {
        CallExecuteFunctionEx(kMouseKeysOff, "");
        if ((b = block_())) b->MouseKeysEnabled = kTrue;  // the option itself stays on
    }
    if (installed_.registrations) UnregisterSystemHotkeys(window_);
    if (installed_.hooks) Unhook();
    installed_ = {};
    if ((b = block_())) b->KeyloomEnabled = kFalse;
}

void HotkeySwitch::RefreshRegistrations() {
    RefreshProgramFilter();  // the rows for chosen programs may have changed too
    if (!installed_.registrations || !block_()) return;
    UnregisterSystemHotkeys(window_);
    RegisterSystemHotkeys(window_);
}

}  // namespace kl
