// Opening the door of the default CD audio device.
#pragma once

#include "params.h"
#include "settings_block.h"

namespace kl::support {

// Acts only when the parameter begins with a drive letter and a colon; the
// command goes to the default CD audio device whatever the letter.
void OpenCdDoor(SettingsBlock& block, const Params& params);  // 200

}  // namespace kl::support
