// Moving the settings between the registry and the block.
#pragma once

#include "settings_block.h"

namespace kl::support {

// Puts every option and table of the block into its default state.
void ApplyDefaults(SettingsBlock& block);

enum class LoadResult { BaseKeyMissing, Loaded, TooManyHotkeys };

// Defaults, then the options, the hotkey index and the remapping table.
LoadResult LoadSettings(SettingsBlock& block);

// Writes the options back; false when the base key cannot be opened or closed.
bool SaveSettings(const SettingsBlock& block);

}  // namespace kl::support
