// Switching hotkey handling on and off: the system registrations, the hooks of klhook
// and MouseKeys, with KeyloomEnabled telling the state. KeyloomEnabled is also switched
// by functions of klsupport (without touching registrations or hooks), so what to undo
// is decided by what this process installed.
#pragma once

#include <windows.h>

#include "window/block_access.h"
#include "window/status_bar.h"

namespace kl {

class HotkeySwitch {
public:
    HotkeySwitch(BlockAccess block, StatusBar& status) : block_(block), status_(status) {}
    // The window that receives WM_HOTKEY and the notifications.
    void SetWindow(HWND window) { window_ = window; }

    void Enable();
    void Disable();
    // True while this process has hotkeys registered or hooked.
    bool Active() const { return installed_.any(); }
    // After a stored change: the store has updated the block's table, which the hooks
    // read; registrations with the system are made again so that a changed key or
    // modifier is the one registered.
    void RefreshRegistrations();

private:
    BlockAccess block_;
    StatusBar& status_;  // names the combinations other programs hold
    HWND window_ = nullptr;
    // What Enable installed and Disable takes back.
    struct Installed {
        bool registrations = false, hooks = false, mouseKeys = false;
        bool any() const { return registrations || hooks || mouseKeys; }
    } installed_;
};

}  // namespace kl
