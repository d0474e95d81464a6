// Walking the block's hotkey table for one key. The walk never leaves the 256
// rows, ends at the first row with ID 0, and stops once it has seen as many
// rows for the key as HotkeyCountPerKey promises.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl::hook {

// Calls onMatch(row) for every row with this key, this modifier set and Flag 0;
// onMatch returns true to end the walk. Returns whether any row matched.
template <class OnMatch>
bool WalkHotkeyRows(const SettingsBlock& b, std::int32_t key, std::uint8_t countIndex, std::int32_t modifiers,
                    OnMatch onMatch) {
    const int expected = b.HotkeyCountPerKey[countIndex];
    if (expected == 0) return false;
    bool matched = false;
    int seen = 0;
    for (int i = 0; i < kHotkeyRows; ++i) {
        // Most rows belong to other keys: passing over them is a loop of its own,
        // tight whatever the work for a row of this key.
        while (i < kHotkeyRows && b.Hotkeys[i].ID != 0 && b.Hotkeys[i].Key != key) ++i;
        if (i == kHotkeyRows) break;
        const HotkeyEntry& row = b.Hotkeys[i];
        if (row.ID == 0) break;
        if (row.Key != key) continue;  // changed meanwhile
        ++seen;
        if (row.Modifier == modifiers && row.Flag == 0) {
            matched = true;
            if (onMatch(row)) break;
        }
        if (seen >= expected) break;
    }
    return matched;
}

}  // namespace kl::hook
