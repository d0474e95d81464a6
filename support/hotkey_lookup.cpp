#include "hotkey_lookup.h"

#include "key_selection.h"
#include "text255.h"

namespace kl::support {

std::string ActiveHotkeysKey(const SettingsBlock& block) {
    return SelectKeys(Text255View(block.ProfileName)).hotkeys;
}

HotkeyRecord ReadStoredHotkey(const SettingsBlock& block, std::int32_t id) {
    return ReadHotkeyRecord(ActiveHotkeysKey(block), id);
}

std::int32_t FindRegisteredHotkey(const SettingsBlock& block, std::uint32_t key, std::int32_t modifier) {
    return FindHotkeyOfKey(ActiveHotkeysKey(block), key, modifier);
}

}  // namespace kl::support
