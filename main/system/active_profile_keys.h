// The registry keys of the active profile: the profile named in the block's
// ProfileName, as klsupport follows it too.
#pragma once

#include "model/profile_keys.h"

namespace kl {

// The keys of the profile named in the block; the default profile's without a block.
ProfileKeys ActiveProfileKeys();

}  // namespace kl
