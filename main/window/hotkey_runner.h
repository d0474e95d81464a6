// The hotkey runner of the main window: every hotkey that reaches it ends here
// (WM_HOTKEY, the notification code -11 and the tray menu's recently used list). It
// keeps the recently used list and the tray submenu that shows it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window/block_access.h"
#include "window/recent_hotkeys.h"
#include "window/status_bar.h"

namespace kl {

class HotkeyRunner {
public:
    HotkeyRunner(BlockAccess block, StatusBar& status) : block_(block), status_(status) {}

    // The tray menu's submenu listing the recently used hotkeys (mnCustom).
    void SetRecentMenu(HMENU menu) { recentMenu_ = menu; }
    // The window goes away: nothing runs any more and the submenu is not touched.
    void Stop() { stopped_ = true; }

    // Runs stored hotkey `id` unless hotkeys are suspended: sets LastHotkey, beeps when
    // ConfirmHotkeys asks, adds it to the recently used list when `addToRecent`.
    void Execute(std::uint32_t id, bool addToRecent);
    // WM_HOTKEY to `window`: the stored hotkey of the combination the system reported
    // that acts in the program in front, or the combination passed through to it.
    void OnSystemHotkey(HWND window, WPARAM wp, LPARAM lp);
    // A click on entry `index` of the recently used list.
    void RunRecent(int index);
    const RecentHotkeys& recent() const { return recent_; }

private:
    // The stored hotkey of a key and modifier set; 0 when there is none.
    int FindHotkeyOf(int key, int modifier) const;
    void RebuildRecentMenu();
    void Status(const std::string& text) { status_.SetText(0, text); }

    BlockAccess block_;
    StatusBar& status_;
    RecentHotkeys recent_;
    HMENU recentMenu_ = nullptr;
    bool stopped_ = false;
};

}  // namespace kl
