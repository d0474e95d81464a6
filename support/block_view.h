// klsupport's view of the shared settings block.
#pragma once

#include "settings_block.h"

namespace kl::support {

// The block, or null while the mapping has not been opened.
SettingsBlock* Block();

// Opens and maps "KeyloomSettingsMap" when it is not mapped yet (never creates
// it) and writes BlockSize. Returns the block or null.
SettingsBlock* MapBlock();

void UnmapBlock();

}  // namespace kl::support
