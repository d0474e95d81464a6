// Requests to the main window go through the registered notification message.
#pragma once

#include <windows.h>

#include "settings_block.h"

namespace kl::support {

// lParam codes of the notification message.
inline constexpr LPARAM kNotifyExecuteHotkey = -11;
inline constexpr LPARAM kNotifyExecuteFunction = -10;
inline constexpr LPARAM kNotifyShowMainWindow = -9;
inline constexpr LPARAM kNotifyToggleTimerPlayback = -8;
inline constexpr LPARAM kNotifyTimer = -7;
inline constexpr LPARAM kNotifyLoadProfile = -6;
inline constexpr LPARAM kNotifyRunPrompt = -5;
inline constexpr LPARAM kNotifyRepeatMacro = -4;
inline constexpr LPARAM kNotifyStopwatch = -3;
inline constexpr LPARAM kNotifyIcon = -2;
inline constexpr LPARAM kNotifyNoAction = -1;
inline constexpr LPARAM kNotifyTrayDoubleClick = 515;  // WM_LBUTTONDBLCLK
inline constexpr LPARAM kNotifyTrayMenu = 516;         // WM_RBUTTONDOWN

// Sends the notification with SendNotifyMessageA when MainWindow names an
// existing window and NotifyMessage is set; otherwise does nothing.
void NotifyMainWindow(const SettingsBlock& block, WPARAM wParam, LPARAM lParam);

}  // namespace kl::support
