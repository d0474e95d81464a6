// Clearing the traces of the user's work: recent documents, the browser's
// cache and history folders and its typed addresses.
#pragma once

#include "params.h"
#include "settings_block.h"

namespace kl::support {

void ClearTraces(SettingsBlock& block, const Params& params);  // 199

}  // namespace kl::support
