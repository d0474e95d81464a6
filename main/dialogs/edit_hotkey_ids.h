// Control identifiers of the hotkey editor TfrmEditHotkey (tests find its controls by them).
#pragma once

#include <windows.h>

namespace kl::editor_ids {

inline constexpr int grpDefinition = 100;
inline constexpr int lblDescriptionHeader = 101;
inline constexpr int lblDescription = 102;
inline constexpr int ebDescription = 103;
inline constexpr int lblHotkeyHeader = 104;
inline constexpr int lblModifier = 105;
inline constexpr int cbModifier = 106;
inline constexpr int lblKey = 107;
inline constexpr int ebKey = 108;
inline constexpr int cbKey = 109;
inline constexpr int lblFunctionHeader = 110;
inline constexpr int lblCategory = 111;
inline constexpr int cbCategory = 112;
inline constexpr int lblFunction = 113;
inline constexpr int cbFunction = 114;
inline constexpr int lblDocument = 115;
inline constexpr int ebDocument = 116;
inline constexpr int btnSelect = 117;
inline constexpr int lblList = 118;
inline constexpr int cbList = 119;
inline constexpr int lblParameter = 120;
inline constexpr int ebParameter = 121;
inline constexpr int btnClear = 122;
inline constexpr int btnOK = IDOK;
inline constexpr int btnCancel = IDCANCEL;

}  // namespace kl::editor_ids

// Control identifiers of the select dialog TfrmSelect.
namespace kl::select_ids {

inline constexpr int lblType = 200;
inline constexpr int cbType = 201;
inline constexpr int lblSelected = 202;
inline constexpr int ebSelected = 203;
inline constexpr int lblList = 204;
inline constexpr int lbList = 205;
inline constexpr int btnBrowse = 206;
inline constexpr int btnFolder = 207;
inline constexpr int btnOK = IDOK;
inline constexpr int btnCancel = IDCANCEL;

}  // namespace kl::select_ids
