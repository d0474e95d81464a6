// Names of the registry keys and values under HKEY_CURRENT_USER.
#pragma once

namespace kl::reg {

inline constexpr char kBaseKey[] = "Software\\Corvane\\Keyloom\\";
inline constexpr char kHotkeysKey[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";
inline constexpr char kProfilesKey[] = "Software\\Corvane\\Keyloom\\Profiles\\";
inline constexpr char kTempKey[] = "Software\\Corvane\\Keyloom\\Temp";
inline constexpr char kBookmarksKey[] = "Software\\Corvane\\Keyloom\\Bookmarks";
inline constexpr char kStyleKey[] = "Software\\Corvane\\Keyloom\\Style";
inline constexpr char kDirPlayKey[] = "Software\\Corvane\\Keyloom\\DirPlay\\";
inline constexpr char kDirPlayActiveKey[] = "Software\\Corvane\\Keyloom\\DirPlay\\Active\\";
inline constexpr char kAllowedKey[] = "Software\\Corvane\\Keyloom\\Allowed";

// Under a base key.
inline constexpr char kHotkeysSubkey[] = "Hotkeys\\";
inline constexpr char kHotkeySubkeyPrefix[] = "HotKey";

// Profile names that select the base key.
inline constexpr char kDefaultProfile[] = "(default)";
inline constexpr char kStandardProfile[] = "(standard)";

// Values of a "HotKey<ID>" subkey.
inline constexpr char kHotkeyKey[] = "Key";
// Written so; the registry compares value names without case.
inline constexpr char kHotkeyModifier[] = "Modifier";
inline constexpr char kHotkeyFunction[] = "Function";
inline constexpr char kHotkeyDescription[] = "Description";
// The programs a hotkey is limited to (names separated by ";") and how: "0"
// everywhere, "1" only in them, "2" everywhere except in them. Missing: everywhere.
inline constexpr char kHotkeyPrograms[] = "Programs";
inline constexpr char kHotkeyProgramsMode[] = "ProgramsMode";

// Values of the hotkey key: the highest hotkey ID ever given, and the remapping.
inline constexpr char kMaxKeyID[] = "MaxKeyID";
inline constexpr char kScancodeMap[] = "Scancode Map";

// Option values of the base key.
inline constexpr char kDataDir[] = "DataDir";
inline constexpr char kLastGotoDir[] = "LastGotoDir";
inline constexpr char kLastHotkey[] = "LastHotkey";
inline constexpr char kKeyloomEnabled[] = "KeyloomEnabled";
inline constexpr char kWinKeysTrap[] = "WinKeysTrap";
inline constexpr char kSimpleMode[] = "SimpleMode";
inline constexpr char kLanguage[] = "Language";
// Beside "Language": the file name of the chosen language ("english.lan").
inline constexpr char kLanguageFile[] = "LanguageFile";
inline constexpr char kDesktopShortcut[] = "DesktopShortcut";
inline constexpr char kOnlineHelp[] = "OnlineHelp";
inline constexpr char kDebug[] = "Debug";
inline constexpr char kLoadDuringStartup[] = "LoadDuringStartup";
inline constexpr char kCaptureMenuDblClicks[] = "CaptureMenuDblClicks";
inline constexpr char kBookmarksEnabled[] = "BookmarksEnabled";
inline constexpr char kConfirmHotkeys[] = "ConfirmHotkeys";
inline constexpr char kMouseKeysEnabled[] = "MouseKeysEnabled";
inline constexpr char kMKSpeed[] = "MKSpeed";
inline constexpr char kMKSpeedMod[] = "MKSpeedMod";
inline constexpr char kMKCursorKeys[] = "MKCursorKeys";
inline constexpr char kMKNumlockON[] = "MKNumlockON";
inline constexpr char kMKBorderKeys[] = "MKBorderKeys";
inline constexpr char kMKNumpad[] = "MKNumpad";
inline constexpr char kMKInc[] = "MKInc";
inline constexpr char kMKAcceleration[] = "MKAcceleration";
inline constexpr char kWinDefaultsEnabled[] = "WinDefaultsEnabled";
inline constexpr char kWinD[] = "WinD";
inline constexpr char kWinE[] = "WinE";
inline constexpr char kWinF[] = "WinF";
inline constexpr char kWinM[] = "WinM";
inline constexpr char kWinR[] = "WinR";
inline constexpr char kWinU[] = "WinU";
inline constexpr char kWinV[] = "WinV";
inline constexpr char kWinKeyEnabled[] = "WinKeyEnabled";
inline constexpr char kLWinKeyEnabled[] = "LWinKeyEnabled";
inline constexpr char kRWinKeyEnabled[] = "RWinKeyEnabled";
inline constexpr char kNoSysTray[] = "NoSysTray";
inline constexpr char kRemapKeys[] = "RemapKeys";
// Executable names (separated by ";") in whose windows Keyloom is off.
inline constexpr char kOffInPrograms[] = "OffInPrograms";

}  // namespace kl::reg
