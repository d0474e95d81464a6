// The registry and file sides of the settings exchange: the items of the active
// profile's options and hotkeys read from the registry or an exchange file, and
// written to the other.
#pragma once

#include <string>
#include <vector>

#include "model/exchange_items.h"
#include "model/profile_keys.h"
#include "settings_block.h"

namespace kl {

// The 26 exchanged options by their settings-table position and registry name.
std::vector<ExchangeOption> ExchangedOptions();

// Export's source: the hotkeys listed in the profile's index (those whose "Function"
// cannot be read back are left out, with the reason) and its non-empty options.
ExchangeRead ReadExchangeFromRegistry(const ProfileKeys& keys);

// Import's source. A hotkey whose key and modifier set the profile already uses is
// a conflict. Unreadable file: refused with the reason.
ExchangeRead ReadExchangeFromFile(const std::string& path, const ProfileKeys& keys, const ExchangeRules& rules);

// Writes the items into a new file. Empty on success, else the reason.
std::string WriteExchangeToFile(const std::string& path, const std::vector<ExchangeItem>& items);

// Stores the hotkeys (new IDs, the block's table kept in step when `block` is given)
// and the options into the profile. Empty on success, else what failed.
std::string WriteExchangeToRegistry(const ProfileKeys& keys, SettingsBlock* block,
                                    const std::vector<ExchangeItem>& items);

}  // namespace kl
