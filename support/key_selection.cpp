#include "key_selection.h"

#include "registry_names.h"

namespace kl::support {
namespace {

bool IsBareDrive(std::string_view s) {
    const bool letter = !s.empty() && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
    if (!letter || s.size() < 2 || s[1] != ':') return false;
    return s.size() == 2 || (s.size() == 3 && s[2] == '\\');
}

}  // namespace

SettingsKeys SelectKeys(std::string_view profile) {
    SettingsKeys keys;
    if (profile.empty() || profile == reg::kDefaultProfile || profile == reg::kStandardProfile) {
        keys.base = reg::kBaseKey;
    } else {
        keys.base = reg::kProfilesKey;
        keys.base += profile;
        const char last = profile.back();
        if (last != '\\' && last != '/' && !IsBareDrive(profile)) keys.base += '\\';
    }
    keys.hotkeys = keys.base + reg::kHotkeysSubkey;
    return keys;
}

}  // namespace kl::support
