// Functions that switch options of the block or hand a request to the main
// window: 1-4, 18, 98, 144, 162, 163, 176-178, 193, 194, 229.
#include <windows.h>

#include "functions/function_table.h"
#include "handle_words.h"
#include "notify.h"

namespace kl::support {
namespace {

HWND MainWindowOf(const SettingsBlock& b) {
    return WindowFromWord(b.MainWindow);
}

// Restores the window when visible, else opens its icon or enables it, then
// brings it to the front.
void ActivateWindow(HWND w) {
    if (!IsWindow(w)) return;
    if (IsWindowVisible(w)) {
        ShowWindow(w, SW_RESTORE);
    } else if (IsIconic(w)) {
        OpenIcon(w);
    } else if (!IsZoomed(w) && !IsWindowEnabled(w)) {
        EnableWindow(w, TRUE);
    }
    BringWindowToTop(w);
    SetForegroundWindow(w);
}

void EnableHotkeys(SettingsBlock& b, const Params&) { b.KeyloomEnabled = kTrue; }
void DisableHotkeys(SettingsBlock& b, const Params&) { b.KeyloomEnabled = kFalse; }

void ShowMainWindow(SettingsBlock& b, const Params&) {
    const HWND main = MainWindowOf(b);
    if (!main) return;
    if (IsWindowVisible(main))
        ActivateWindow(main);
    else
        NotifyMainWindow(b, 0, kNotifyTrayDoubleClick);
}

void SwitchProfile(SettingsBlock& b, const Params& p) {
    NotifyMainWindow(b, static_cast<WPARAM>(p.Number(1)), kNotifyLoadProfile);
}

void RunPrompt(SettingsBlock& b, const Params&) { NotifyMainWindow(b, 0, kNotifyRunPrompt); }
void RepeatMacro(SettingsBlock& b, const Params&) { NotifyMainWindow(b, 0, kNotifyRepeatMacro); }

void PassForegroundWindow(SettingsBlock& b, const Params&) {
    NotifyMainWindow(b, reinterpret_cast<WPARAM>(GetForegroundWindow()), kNotifyNoAction);
}

void Reserved(SettingsBlock&, const Params&) {}

void WindowsKeyOff(SettingsBlock& b, const Params&) { b.WinKeyEnabled = kFalse; }
void WindowsKeyOn(SettingsBlock& b, const Params&) { b.WinKeyEnabled = kTrue; }
void ToggleWindowsKey(SettingsBlock& b, const Params&) { b.WinKeyEnabled = b.WinKeyEnabled == 0 ? kTrue : kFalse; }

void MainProgramNoAction(SettingsBlock& b, const Params&) { NotifyMainWindow(b, 0, kNotifyNoAction); }
void ShowStopwatch(SettingsBlock& b, const Params&) { NotifyMainWindow(b, 0, kNotifyStopwatch); }

constexpr FunctionEntry kEntries[] = {
    {1, EnableHotkeys},     {2, DisableHotkeys},       {3, ShowMainWindow},       {4, SwitchProfile},
    {18, RunPrompt},        {98, RepeatMacro},         {144, PassForegroundWindow}, {162, Reserved},
    {163, Reserved},        {176, WindowsKeyOff},      {177, WindowsKeyOn},       {178, ToggleWindowsKey},
    {193, MainProgramNoAction}, {194, MainProgramNoAction}, {229, ShowStopwatch},
};

}  // namespace

std::span<const FunctionEntry> ProgramControlFunctions() { return kEntries; }

}  // namespace kl::support
