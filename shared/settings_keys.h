// Which registry keys hold a profile's settings, chosen the same way by both binaries:
// the main key "Software\Corvane\Keyloom\" or "...\Profiles\<name>\", and its "Hotkeys\".
#pragma once

#include <string>
#include <string_view>

namespace kl {

struct ProfileKeys {
    std::string main;     // ends in a backslash (but after a bare drive such as "C:")
    std::string hotkeys;  // main + "Hotkeys\"
};

// The keys of a profile name as it stands in the block ("", "(default)" and
// "(standard)" name the default profile).
ProfileKeys KeysForProfile(std::string_view profileName);

}  // namespace kl
