// The system's MouseKeys feature, switched by the options page and by functions 75,
// 77 and 78 alike.
#pragma once

#include "settings_block.h"

namespace kl {

// Stores `on` in MouseKeysEnabled, then writes the system's MouseKeys flags for the
// session (not to the user profile), MKNumlockON choosing the numeric keypad's
// replacement of the digits. When the system does not offer the feature, LastStatus
// becomes kStatusMouseKeysUnavailable with a status text; result false.
bool SetMouseKeys(SettingsBlock& block, bool on);

}  // namespace kl
