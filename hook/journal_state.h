// Bits of a macro event's delay word, and the macro length as far as it can be
// trusted: the block is shared, so every count is bounded before use.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl::hook {

inline constexpr std::uint32_t kDelayMs = 0x7FFF;
inline constexpr std::uint32_t kHandedOut = 0x8000;
inline constexpr std::uint32_t kTimerMarker = 0x40000000;
inline constexpr std::uint32_t kTimerTaken = 0x80000000;

inline std::int32_t MacroLengthOf(const SettingsBlock& b) {
    const std::int32_t n = b.MacroLength;
    return n < 0 ? 0 : (n > kMacroEventCapacity ? kMacroEventCapacity : n);
}

}  // namespace kl::hook
