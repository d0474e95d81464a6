// The hotkey editor opened from the main window: Add (a new hotkey, hotkey handling
// switched off around it), Modify (a stored hotkey, hotkey handling as it is), and what
// makes a stored change live at once.
#include "system/library_binding.h"
#include "system/program_filter_sync.h"
#include "dialogs/edit_hotkey.h"
#include "window/main_window.h"

namespace kl {

int TfrmMain::mnNewHotkeyClick() {
    SettingsBlock* b = Block();
    if (destroyed_ || creating_ || !b) return 2;
    TfrmEditHotkey& editor = TfrmEditHotkey::Instance();
    if (editor.IsOpen()) {
        SetForegroundWindow(editor.handle());
        return 2;
    }
    // Its modal loop would run with the library's frames below it.
    if (LibraryCallDepth() > 0) {
        pendingEditor_ = kAddHotkeyRequest;
        return 2;
    }
    // With hotkey handling off the editor can capture any combination.
    const bool wasEnabled = b->KeyloomEnabled != 0;
    if (wasEnabled) hotkeys_.Disable();
    ProfileSwitch::EditingScope open(profiles_);
    const int result = static_cast<int>(ShowHotkeyEditor(hwnd_, {dataDir_, -1}));
    if (destroyed_ || !Block()) return result;
    RefreshProgramFilter();
    // The options pages save their data here once they exist.
    if (wasEnabled) hotkeys_.Enable();  // the registrations and hooks include the new hotkey
    ShowData();
    return result;
}

int TfrmMain::EditHotkey(int id) {
    if (destroyed_ || creating_ || !Block()) return 2;
    TfrmEditHotkey& editor = TfrmEditHotkey::Instance();
    if (editor.IsOpen()) {
        SetForegroundWindow(editor.handle());
        return 2;
    }
    if (LibraryCallDepth() > 0) {
        pendingEditor_ = id;
        return 2;
    }
    ProfileSwitch::EditingScope open(profiles_);
    const DialogResult shown = ShowHotkeyEditor(hwnd_, {dataDir_, id});
    const int result = static_cast<int>(shown);
    if (destroyed_ || !Block()) return result;
    if (shown == DialogResult::Ok) {
        hotkeys_.RefreshRegistrations();
        ShowData();
    }
    return result;
}

}  // namespace kl
