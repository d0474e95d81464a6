// Switching hotkey handling on and off: system registrations, the hooks of klhook
// and MouseKeys, with KeyloomEnabled telling the state.
#include <cstdint>

#include "core/hook_install.h"
#include "core/library_binding.h"
#include "core/support_calls.h"
#include "core/system_hotkeys.h"
#include "handle_words.h"
#include "window/main_window.h"
#include "window/startup.h"

namespace kl {
namespace {
constexpr std::uint32_t kMouseKeysOn = 77;
constexpr std::uint32_t kMouseKeysOff = 78;
Handle32 Word(HWND h) { return WordFromHandle(h); }
}  // namespace

void TfrmMain::EnableHooks() {
    SettingsBlock* b = Block();
    if (!b || b->KeyloomEnabled) return;
    // Everything the hooks and klsupport read is in place before KeyloomEnabled is set.
    b->AppWindow = Word(hwnd_);
    b->NotifyMessage = NotifyMessage();
    b->MainWindow = Word(hwnd_);
    RegisterSystemHotkeys(hwnd_);
    if (!b->SimpleMode) Hook();
    if (b->MouseKeysEnabled) CallExecuteFunctionEx(kMouseKeysOn, "");
    b->KeyloomEnabled = kTrue;
}

void TfrmMain::DisableHooks() {
    SettingsBlock* b = Block();
    if (!b || !b->KeyloomEnabled) return;
    if (b->MouseKeysEnabled) {
        CallExecuteFunctionEx(kMouseKeysOff, "");
        b->MouseKeysEnabled = kTrue;  // the option itself stays on
    }
    UnregisterSystemHotkeys(hwnd_);
    if (!b->SimpleMode) Unhook();
    b->KeyloomEnabled = kFalse;
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
