#include "window/hotkey_switch.h"

#include <cstdint>

#include "handle_words.h"
#include "system/hook_install.h"
#include "system/support_calls.h"
#include "system/system_hotkeys.h"
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
    if (!installed_.registrations || !block_()) return;
    UnregisterSystemHotkeys(window_);
    RegisterSystemHotkeys(window_);
}

}  // namespace kl
