// Which registry keys hold the settings: the base key, or a profile's key.
#pragma once

#include <string>
#include <string_view>

namespace kl::support {

struct SettingsKeys {
    std::string base;     // "Software\Corvane\Keyloom\" or "...\Profiles\<name>\"
    std::string hotkeys;  // base + "Hotkeys\"
};

SettingsKeys SelectKeys(std::string_view profileName);

}  // namespace kl::support
