// Applying the block's key remapping table to a WM_KEYDOWN, WM_KEYUP or
// WM_CHAR message: the message, wParam and lParam are rewritten in place and
// the thread's keyboard state is adjusted for remapped modifiers.
#pragma once

#include "platform.h"

namespace kl::hook {

void RemapKey(SettingsBlock& b, const Platform& p, MSG& m);

}  // namespace kl::hook
