// Plays one macro event into the system with SendInput.
#pragma once

#include "held_input.h"
#include "settings_block.h"

namespace kl::support {

// Keyboard downs and ups (WM_KEY*, WM_SYSKEY*) and the mouse moves and button
// events; mouse positions are resolved against the current pointer. Erased
// events and other messages are skipped. Returns false when nothing was sent.
bool SendMacroEvent(const MacroEvent& event);

// Sends the release of every key and button in `held` that the system still
// reports down, the modifiers last, and forgets them all.
void ReleaseHeldInput(HeldInput& held);

}  // namespace kl::support
