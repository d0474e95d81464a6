#include "settings_keys.h"

#include "registry_names.h"

namespace kl {
namespace {

bool IsBareDrive(std::string_view s) {
    const bool letter = !s.empty() && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
    if (!letter || s.size() < 2 || s[1] != ':') return false;
    return s.size() == 2 || (s.size() == 3 && (s[2] == '\\' || s[2] == '/'));
}

}  // namespace

ProfileKeys KeysForProfile(std::string_view profile) {
    ProfileKeys keys;
    if (profile.empty() || profile == reg::kDefaultProfile || profile == reg::kStandardProfile) {
        keys.main = reg::kBaseKey;
    } else {
        keys.main = std::string(reg::kProfilesKey) + std::string(profile);
        const char last = profile.back();
        if (last != '\\' && last != '/' && !IsBareDrive(profile)) keys.main += '\\';
    }
    keys.hotkeys = keys.main + reg::kHotkeysSubkey;
    return keys;
}

}  // namespace kl
