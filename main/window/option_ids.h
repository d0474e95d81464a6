// Control identifiers of the Options, Defaults and MouseKeys pages.
#pragma once

namespace kl::ids {

// Options page.
inline constexpr int cbLoadDuringStartup = 1100;
inline constexpr int cbDesktopShortcut = 1101;
inline constexpr int cbConfirmHotkeys = 1102;
inline constexpr int cbOnlineHelp = 1103;
inline constexpr int cbSysTrayIcon = 1104;
inline constexpr int cbSimpleMode = 1105;
inline constexpr int lblLanguage = 1106;
inline constexpr int cbLanguage = 1107;
inline constexpr int grpAdvancedMode = 1108;
inline constexpr int cbWinKeysTrap = 1109;
inline constexpr int cbCaptureMenuDblClicks = 1110;
inline constexpr int cbBookmarksEnabled = 1111;
// Defaults page.
inline constexpr int cbWinDefaultsEnabled = 1120;
inline constexpr int cbWinM = 1121;
inline constexpr int cbWinD = 1122;
inline constexpr int cbWinE = 1123;
inline constexpr int cbWinF = 1124;
inline constexpr int cbWinR = 1125;
inline constexpr int cbWinU = 1126;
inline constexpr int cbWinV = 1127;
inline constexpr int cbWinKeyEnabled = 1128;
inline constexpr int cbLWinKeyEnabled = 1129;
inline constexpr int cbRWinKeyEnabled = 1130;
// MouseKeys page.
inline constexpr int cbMKEnabled = 1140;
inline constexpr int cbMKNumlockON = 1141;
inline constexpr int cbMKBorderKeys = 1142;
inline constexpr int cbMKNumpad = 1143;
inline constexpr int cbMKCursorKeys = 1144;
inline constexpr int cbMKInc = 1145;
inline constexpr int lblMKSpeedMod = 1146;
inline constexpr int ebMKSpeedMod = 1147;
inline constexpr int lblMouseSpeed = 1148;
inline constexpr int tbMKSpeed = 1149;
inline constexpr int lblMouseAcceleration = 1150;
inline constexpr int tbMKAcceleration = 1151;

}  // namespace kl::ids
