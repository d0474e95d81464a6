// The Yes/No warning box of the destructive functions.
#pragma once

#include <string>

#include "params.h"
#include "settings_block.h"

namespace kl::support {

// Asks `question` in a box captioned "Warning", owned by the main window when
// there is one; true only when Yes is chosen.
bool Confirm(const SettingsBlock& block, const std::string& question);

// Field 1 is the no-confirmation flag: empty or exactly "0" means ask.
bool ShouldAsk(const Params& params);

}  // namespace kl::support
