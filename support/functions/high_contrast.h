// Switching the system's high-contrast mode.
#pragma once

#include "functions/function_table.h"

namespace kl::support {

void ToggleHighContrast(SettingsBlock& block, const Params& params);  // 198

}  // namespace kl::support
