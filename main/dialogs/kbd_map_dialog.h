// TfrmKbdMap: the list of remapped keys of the active profile, switched on and off for
// the session, stored with the profile, and made permanent in the system's map.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

namespace kbd_map_dialog {
inline constexpr int lblKeyMap = 100;
inline constexpr int sgKeyMap = 101;
inline constexpr int cbEnabled = 102;
inline constexpr int btnAdd = 103;
inline constexpr int btnModify = 104;
inline constexpr int btnRemove = 105;
inline constexpr int btnPermanent = 106;
inline constexpr int btnRemovePermanent = 107;
inline constexpr int btnMCS = 108;
inline constexpr int btnOK = IDOK;
inline constexpr int btnCancel = IDCANCEL;
}  // namespace kbd_map_dialog

// Works on the block's KeyRemap and RemapKeys; `dataDir` holds the key names.
void ShowKbdMapDialog(HWND owner, const std::string& dataDir);

}  // namespace kl
