// Data the hotkey editor reads besides the catalogue: the Hotkeys key of the active
// profile, the DirPlay set names stored with function 208 (parameter kind 5) and the
// profile list (parameter kind 8).
#pragma once

#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "settings_block.h"

namespace kl {

// The Hotkeys key of the active profile, chosen as klsupport chooses it: the
// default profile's own key for an empty, "(default)" or "(standard)" name.
std::string ActiveHotkeysKey(const SettingsBlock& block);

// The first parameter field of every hotkey of function 208 (IDs 1 to "MaxKeyID"
// of `hotkeysKey`), each name once, in ID order.
std::vector<std::string> DirPlaySetNames(const std::string& hotkeysKey, const HotkeyReader& reader);

// `defaultName` first, then the subkey names of "Software\Corvane\Keyloom\Profiles\"
// in the registry's order.
std::vector<std::string> ProfileList(const std::string& defaultName);

}  // namespace kl
