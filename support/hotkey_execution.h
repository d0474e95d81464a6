// Running a stored hotkey: from a key and modifier set, or from its ID.
#pragma once

#include <cstdint>

namespace kl::support {

// How deep hotkeys may run one another by ID ("<ID:n>" in a typed text).
inline constexpr int kHotkeyNestingLimit = 8;

// Runs hotkey <id>'s function with the busy flag cleared for the nested call,
// restoring HotkeysSuspended afterwards. False without the block, for ID 0, and
// when kHotkeyNestingLimit runs by ID are already under way on this thread (the
// status text then says so and nothing runs).
bool ExecuteHotkeyByID(std::int32_t id);

// ExecuteHotkeyEx: false without the block or when the combination is not
// registered; with execute false only checks the combination.
bool ExecuteHotkeyForKey(std::int32_t key, std::int32_t modifier, bool execute);

}  // namespace kl::support
