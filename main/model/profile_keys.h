// The registry keys of a profile as the program reads and writes them: the main key
// "Software\Corvane\Keyloom\" or "...\Profiles\<name>\", and its "Hotkeys\". They
// follow a profile name exactly as klsupport chooses its keys.
#pragma once

#include <string>
#include <string_view>

namespace kl {

struct ProfileKeys {
    std::string main;     // ends in a backslash
    std::string hotkeys;  // main + "Hotkeys\"
};

// The keys of a profile name as it stands in the block ("", "(default)" and
// "(standard)" name the default profile).
ProfileKeys KeysForProfile(std::string_view profileName);

}  // namespace kl
