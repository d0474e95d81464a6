// The get-message hook's work on one retrieved message: mouse-button hotkeys,
// the caption roll-up, key remapping, mouse keys, the Windows keys, the Start
// menu and the system's Windows+letter shortcuts. A swallowed message is
// turned into a null message in place.
#pragma once

#include "platform.h"

namespace kl::hook {

void DecideGetMessage(SettingsBlock& b, const Platform& p, MSG& m);

}  // namespace kl::hook
