// The modifier set the hook procedures compare with HotkeyEntry.Modifier,
// built from the modifier-down flags that the keyboard hook keeps.
#pragma once

#include <cstdint>

#include "platform.h"

namespace kl::hook {

inline std::int32_t ModifierBits(const SettingsBlock& b) {
    std::int32_t bits = 0;
    if (b.AltDown) bits |= kModAlt;
    if (b.CtrlDown) bits |= kModCtrl;
    if (b.ShiftDown) bits |= kModShift;
    if (b.LWinDown || b.RWinDown) bits |= kModWin;
    return bits;
}

// Whether a Shift, Ctrl or Alt key is held: by the system's real key state, or by
// the key state of the calling thread. The thread's state still holds a key whose
// release it has not read yet: input queued faster than the program reads it
// (synthesised input, a busy program) is matched as it was typed.
inline bool ModifierKeyHeld(const Platform& p, int vk) {
    const auto async = static_cast<std::uint16_t>(p.AsyncKeyState(vk));
    const auto thread = static_cast<std::uint16_t>(p.KeyState(vk));
    return ((async | thread) & 0x8000u) != 0;
}

// Clears the Shift, Ctrl and Alt flags whose keys are no longer held, except the
// flag of `key`, which that key's own message has just set. A release made on
// another desktop (Ctrl+Alt+Del, the lock screen, an elevation prompt) or in a
// window this library is not loaded into never reaches the hook; a flag left set
// would make a combination of every later key.
inline void DropReleasedModifiers(SettingsBlock& b, const Platform& p, std::int32_t key) {
    if (b.ShiftDown && key != VK_SHIFT && !ModifierKeyHeld(p, VK_SHIFT)) b.ShiftDown = 0;
    if (b.CtrlDown && key != VK_CONTROL && !ModifierKeyHeld(p, VK_CONTROL)) b.CtrlDown = 0;
    if (b.AltDown && key != VK_MENU && !ModifierKeyHeld(p, VK_MENU)) b.AltDown = 0;
}

// ModifierBits without the Shift, Ctrl and Alt flags whose keys are no longer
// held, for the get-message hook, which reads the flags but leaves them to the
// keyboard hook.
inline std::int32_t HeldModifierBits(const SettingsBlock& b, const Platform& p) {
    std::int32_t bits = ModifierBits(b);
    if ((bits & kModAlt) && !ModifierKeyHeld(p, VK_MENU)) bits &= ~kModAlt;
    if ((bits & kModCtrl) && !ModifierKeyHeld(p, VK_CONTROL)) bits &= ~kModCtrl;
    if ((bits & kModShift) && !ModifierKeyHeld(p, VK_SHIFT)) bits &= ~kModShift;
    return bits;
}

}  // namespace kl::hook
