// The modifier set the hook procedures compare with HotkeyEntry.Modifier,
// built from the modifier-down flags that the keyboard hook keeps.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl::hook {

inline std::int32_t ModifierBits(const SettingsBlock& b) {
    std::int32_t bits = 0;
    if (b.AltDown) bits |= kModAlt;
    if (b.CtrlDown) bits |= kModCtrl;
    if (b.ShiftDown) bits |= kModShift;
    if (b.LWinDown || b.RWinDown) bits |= kModWin;
    return bits;
}

}  // namespace kl::hook
