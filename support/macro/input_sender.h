// Plays one macro event into the system with SendInput.
#pragma once

#include "held_input.h"
#include "settings_block.h"

namespace kl::support {

// Keyboard downs and ups (WM_KEY*, WM_SYSKEY*) and the mouse moves and button
// events; mouse positions are resolved against the current pointer. Erased
// events and other messages are skipped. Returns false when nothing was sent.
bool SendMacroEvent(const MacroEvent& event);

// True while the user holds a Shift, Ctrl, Alt or Windows key (the hotkey's modifiers,
// typically, in the moment after it fired).
bool UserHoldsModifiers();

// Sends the release of every Shift, Ctrl, Alt and Windows key the system reports down,
// after a key without meaning, so that releasing Alt opens no menu and releasing a
// Windows key no Start menu.
void ReleaseUserModifiers();

// Sends the release of every key and button in `held` that the system still
// reports down, the modifiers last, and forgets them all.
void ReleaseHeldInput(HeldInput& held);

}  // namespace kl::support
