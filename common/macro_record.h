// Storing one recorded keyboard event into the block's macro, shared by the
// record journal of klhook and klsupport's own keyboard recorder. Plain integer
// work only: klhook runs it without a runtime.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl {

inline constexpr std::uint32_t kFirstKeyboardMessage = 0x100;
inline constexpr std::uint32_t kLastKeyboardMessage = 0x108;

// Takes a keyboard message whose key is not 255 into the next free event; the
// first event of a recording is always a key-down (`message` is changed too,
// as the journal changes the system's record). Events beyond the block's 1025
// are dropped. Returns true when the event was stored.
inline bool StoreRecordedKey(SettingsBlock& block, std::uint32_t& message, std::uint32_t paramL,
                             std::uint32_t paramH, std::uint32_t window) {
    if (message < kFirstKeyboardMessage || message > kLastKeyboardMessage) return false;
    if ((paramL & 0xFF) == 0xFF) return false;
    const std::int32_t n = block.MacroLength;
    if (n < 0 || n >= kMacroEventCapacity) return false;
    if (n == 0) message = kFirstKeyboardMessage;
    MacroEvent& e = block.MacroEvents[n];
    e.Message = message;
    e.ParamL = paramL;
    e.ParamH = paramH;
    e.Delay = 0;
    e.Window = window;
    block.MacroLength = n + 1;
    return true;
}

// Resolves one mouse coordinate word against the pointer's current position:
// bit 15 clear is absolute, otherwise bits 0-13 a distance and bit 14 its sign.
inline std::int32_t ResolveCoordinate(std::uint32_t word, std::int32_t current) {
    word &= 0xFFFF;
    if (!(word & 0x8000)) return static_cast<std::int32_t>(word);
    const std::int32_t distance = static_cast<std::int32_t>(word & 0x3FFF);
    return (word & 0x4000) ? current - distance : current + distance;
}

}  // namespace kl
