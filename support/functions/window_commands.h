// Commands on the foreground window and the shell: close, restore, topmost,
// minimise, maximise, taskbar, task list and screen saver.
#pragma once

#include "functions/function_table.h"

namespace kl::support {

void CloseForegroundWindow(SettingsBlock& block, const Params& params);      // 32
void RestoreTargetWindow(SettingsBlock& block, const Params& params);        // 33
void TargetWindowOnTop(SettingsBlock& block, const Params& params);          // 34
void MinimiseTargetWindow(SettingsBlock& block, const Params& params);       // 35
void MaximiseTargetWindow(SettingsBlock& block, const Params& params);       // 36, 37
void ToggleTaskbar(SettingsBlock& block, const Params& params);              // 184
void TaskListCommand(SettingsBlock& block, const Params& params);            // 185
void ScreenSaverCommand(SettingsBlock& block, const Params& params);         // 192

}  // namespace kl::support
