// The registry keys of the active profile as the program reads and writes them: the
// main key "Software\Corvane\Keyloom\" or "...\Profiles\<name>\", and its "Hotkeys\".
// They follow the block's ProfileName exactly as klsupport chooses its keys.
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

// The keys of the profile named in the block; the default profile's without a block.
ProfileKeys ActiveProfileKeys();

}  // namespace kl
