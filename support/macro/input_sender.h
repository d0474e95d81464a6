// Plays one macro event into the system with SendInput.
#pragma once

#include "settings_block.h"

namespace kl::support {

// Keyboard downs and ups (WM_KEY*, WM_SYSKEY*) and the mouse moves and button
// events; mouse positions are resolved against the current pointer. Erased
// events and other messages are skipped. Returns false when nothing was sent.
bool SendMacroEvent(const MacroEvent& event);

}  // namespace kl::support
