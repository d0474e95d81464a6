// The codes of the notification message (the block's NotifyMessage) in lParam,
// the same for every sender: klhook, klsupport, a second keyloom.exe and the
// tray icon. Plain numbers: klhook takes this header without any runtime.
#pragma once

namespace kl {

inline constexpr int kNotifyExecuteHotkey = -11;        // wParam: hotkey ID
inline constexpr int kNotifyExecuteFunction = -10;      // wParam: function ID, run without parameter
inline constexpr int kNotifyShowMainWindow = -9;        // wParam: 0
inline constexpr int kNotifyToggleTimerPlayback = -8;   // wParam: 0
inline constexpr int kNotifyTimer = -7;                 // wParam: interval in ms, kTimerStart or kTimerStop
inline constexpr int kNotifyLoadProfile = -6;           // wParam: profile number
inline constexpr int kNotifyRunPrompt = -5;             // wParam: 0
inline constexpr int kNotifyRepeatMacro = -4;           // wParam: 0
inline constexpr int kNotifyStopwatch = -3;             // wParam: 0
inline constexpr int kNotifyIcon = -2;                  // wParam: the tray icon's handle
inline constexpr int kNotifyNoAction = -1;              // wParam: a window or 0
inline constexpr int kNotifyTrayDoubleClick = 515;      // WM_LBUTTONDBLCLK: show the main window
inline constexpr int kNotifyTrayMenu = 516;             // WM_RBUTTONDOWN: open the tray menu

// The wParam of kNotifyTimer that is no interval.
inline constexpr int kTimerStart = -2;
inline constexpr int kTimerStop = -1;

}  // namespace kl
