// Driving the pointer from the keyboard: the arrow keys move it (or jump to
// the work area's border with Ctrl), keypad multiply centres it, keypad add
// and subtract change the speed.
#pragma once

#include "platform.h"

namespace kl::hook {

inline constexpr std::int32_t kMaxMouseKeysSpeed = 100;

// Acts on key v; returns true when the key message is to be swallowed.
bool MouseKeys(SettingsBlock& b, const Platform& p, int vk, bool released);

}  // namespace kl::hook
