// The stored hotkeys of the active profile (the block's ProfileName chooses the
// Hotkeys key), read and found by the rule both binaries share (hotkey_record.h).
#pragma once

#include <cstdint>
#include <string>

#include "hotkey_record.h"
#include "settings_block.h"

namespace kl::support {

// The Hotkeys key of the profile the block names.
std::string ActiveHotkeysKey(const SettingsBlock& block);

// The subkey "HotKey<id>" of the profile's Hotkeys key.
HotkeyRecord ReadStoredHotkey(const SettingsBlock& block, std::int32_t id);

// The hotkey of a key and modifier set; 0 when there is none.
std::int32_t FindRegisteredHotkey(const SettingsBlock& block, std::uint32_t key, std::int32_t modifier);

}  // namespace kl::support
