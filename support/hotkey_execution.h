// Running a stored hotkey: from a key and modifier set, or from its ID.
#pragma once

#include <cstdint>

namespace kl::support {

// Runs hotkey <id>'s function with the busy flag cleared for the nested call,
// restoring HotkeysSuspended afterwards. False only without the block or for ID 0.
bool ExecuteHotkeyByID(std::int32_t id);

// ExecuteHotkeyEx: false without the block or when the combination is not
// registered; with execute false only checks the combination.
bool ExecuteHotkeyForKey(std::int32_t key, std::int32_t modifier, bool execute);

}  // namespace kl::support
