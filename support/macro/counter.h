// The running number shared by "Type next number" and the "<NEXTNO>" token.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl::support {

// The first call sets the counter to `start`; every later one adds `step`
// (wrapping like the 32-bit word it is). Returns the new value.
std::int32_t NextNumber(SettingsBlock& block, std::int32_t start, std::int32_t step);

}  // namespace kl::support
