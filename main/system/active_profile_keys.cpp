#include "system/active_profile_keys.h"

#include "system/library_binding.h"
#include "text255.h"

namespace kl {

ProfileKeys ActiveProfileKeys() {
    const SettingsBlock* b = Block();
    return KeysForProfile(b ? Text255View(b->ProfileName) : std::string_view());
}

}  // namespace kl
