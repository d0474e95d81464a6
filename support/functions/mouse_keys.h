// The system's MouseKeys service switched on and off from a hotkey.
#pragma once

#include "functions/function_table.h"

namespace kl::support {

void ToggleMouseKeys(SettingsBlock& block, const Params& params);  // 75
void MouseKeysOn(SettingsBlock& block, const Params& params);      // 77
void MouseKeysOff(SettingsBlock& block, const Params& params);     // 78

}  // namespace kl::support
