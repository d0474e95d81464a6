// The numbers of the language lines the main window and its collaborators show
// (the lines of english.lan and its translations; the numbers never change). The
// tables of the menus and pages keep their numbers beside their fallbacks.
#pragma once

namespace kl::texts {

inline constexpr int kRemoveHotkeyCaption = 4;
inline constexpr int kYes = 7;
inline constexpr int kNo = 8;
inline constexpr int kExitButton = 13;
inline constexpr int kDisableButton = 14;
inline constexpr int kEnableButton = 15;
inline constexpr int kAddButton = 16;
inline constexpr int kRemoveButton = 17;
inline constexpr int kModifyButton = 18;
inline constexpr int kNewMenu = 19;
inline constexpr int kFileMenu = 30;
inline constexpr int kRecentHotkeysMenu = 32;
inline constexpr int kStopwatchReset = 34;
inline constexpr int kStopwatchStart = 35;
inline constexpr int kStopwatchStop = 36;
inline constexpr int kStopwatchPause = 37;
inline constexpr int kStopwatchResume = 38;
inline constexpr int kStopwatchShowReading = 39;
inline constexpr int kHideButton = 52;
inline constexpr int kSettingsMenu = 55;
inline constexpr int kProfilesMenu = 61;
inline constexpr int kEditProfilesMenu = 62;
inline constexpr int kHelpMenu = 63;
inline constexpr int kLanguageLabel = 76;
inline constexpr int kSpeedStepLabel = 77;
inline constexpr int kMouseSpeedLabel = 78;
inline constexpr int kMouseAccelerationLabel = 79;
inline constexpr int kNoHotkeyExecuted = 86;
inline constexpr int kRunPrompt = 89;
inline constexpr int kRunCaption = 90;
inline constexpr int kSimpleModeStatus = 91;
inline constexpr int kAdvancedModeStatus = 92;
inline constexpr int kDisabledStatus = 93;
inline constexpr int kEnabledStatus = 94;
inline constexpr int kMacroSaved = 96;
inline constexpr int kMacroLoaded = 97;
inline constexpr int kMacrosMenu = 98;
inline constexpr int kTypedMacroDescription = 102;
inline constexpr int kMacroWithoutCharacters = 108;
inline constexpr int kKeyLabel = 111;
inline constexpr int kSelectHotkeyFirst = 114;
inline constexpr int kRemoveHotkeyQuestion = 115;
inline constexpr int kSortByMenu = 119;
inline constexpr int kSelectAliasToRemove = 158;
inline constexpr int kRemoveAliasQuestion = 159;
inline constexpr int kSelectAliasToModify = 161;
inline constexpr int kRemappedKeysCaption = 188;
inline constexpr int kRemappingNeedsAdvancedMode = 199;
inline constexpr int kDefaultProfileName = 238;
inline constexpr int kProfileWaitsForDialog = 485;
inline constexpr int kReportNotWritten = 504;
inline constexpr int kReportNotOpened = 505;
inline constexpr int kMacroKept = 506;
inline constexpr int kProfileNotLoaded = 507;
inline constexpr int kSettingsNotLoaded = 508;

}  // namespace kl::texts
