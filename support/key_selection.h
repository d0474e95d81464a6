// Which registry keys hold the settings: the base key, or a profile's key, as
// keyloom.exe chooses them (KeysForProfile of kl_shared).
#pragma once

#include <string_view>

#include "settings_keys.h"

namespace kl::support {

inline ProfileKeys SelectKeys(std::string_view profileName) { return KeysForProfile(profileName); }

}  // namespace kl::support
