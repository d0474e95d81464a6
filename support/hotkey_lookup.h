// Reading the stored hotkeys of the active profile from the registry: what a
// hotkey does, and which hotkey a key and modifier set is registered for.
#pragma once

#include <cstdint>
#include <string>

#include "settings_block.h"

namespace kl::support {

// Texts longer than this count as missing: the callers' buffers hold 1024 bytes.
inline constexpr std::size_t kHotkeyTextMax = 1023;

struct StoredHotkey {
    std::int32_t modifier = 0;
    std::int32_t key = 0;
    std::int32_t functionId = 0;
    std::string description;
    std::string parameters;
    bool runnable = false;  // "Function" was found, unscrambled and split
};

// The subkey "HotKey<id>" of the profile's hotkey key.
StoredHotkey ReadStoredHotkey(const SettingsBlock& block, std::int32_t id);

// The hotkey ID listed for the key whose "Key" and "modifier" match, the last
// in the list winning; 0 when there is none.
std::int32_t FindRegisteredHotkey(const SettingsBlock& block, std::uint32_t key, std::int32_t modifier);

}  // namespace kl::support
