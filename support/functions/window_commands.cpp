#include "functions/window_commands.h"

#include "functions/hotkeys_held_back.h"
#include "functions/window_message.h"
#include "functions/window_target.h"

namespace kl::support {

HWND TargetWindow() {
    HWND w = GetForegroundWindow();
    if (HWND parent = w ? GetParent(w) : nullptr) w = parent;
    return w && IsWindow(w) ? w : nullptr;
}

namespace {

void ShowTarget(int command) {
    if (HWND w = TargetWindow()) ShowWindow(w, command);
}

}  // namespace

void CloseForegroundWindow(SettingsBlock&, const Params&) {
    if (HWND w = GetForegroundWindow()) PostMessageA(w, WM_CLOSE, 0, 0);
}

void RestoreTargetWindow(SettingsBlock&, const Params&) { ShowTarget(SW_RESTORE); }
void MinimiseTargetWindow(SettingsBlock&, const Params&) { ShowTarget(SW_SHOWMINIMIZED); }
void MaximiseTargetWindow(SettingsBlock&, const Params&) { ShowTarget(SW_SHOWMAXIMIZED); }

void TargetWindowOnTop(SettingsBlock&, const Params&) {
    if (HWND w = TargetWindow())
        SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOSENDCHANGING);
}

void ToggleTaskbar(SettingsBlock&, const Params&) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!taskbar || !GetWindowPlacement(taskbar, &placement)) return;
    // The placement's show state stays "normal" for a hidden window, so it
    // cannot tell whether to show it again: visibility does.
    ShowWindow(taskbar, IsWindowVisible(taskbar) ? SW_HIDE : SW_SHOWNORMAL);
}

void TaskListCommand(SettingsBlock& block, const Params&) {
    // The command may make the shell synthesise keys: keep our hooks out of it.
    const HotkeysHeldBack heldBack(block);
    if (HWND w = GetForegroundWindow()) SendWithinLimit(w, WM_SYSCOMMAND, SC_TASKLIST, 0);
}

// Nothing is waited for: the window starts the screen saver when it takes the command.
void ScreenSaverCommand(SettingsBlock&, const Params&) {
    if (HWND w = GetForegroundWindow()) PostMessageA(w, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

}  // namespace kl::support
