// DirPlay sets: a named folder (or list file), play mode and position in the
// registry, and the current set in the block that every operation works on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings_block.h"

namespace kl::support::dirplay {

// The name that reads the block's current set instead of the registry.
inline constexpr char kActiveSet[] = "Active";

// The registry key of a set: the empty name shares the key of "Active".
std::string SetKeyPath(std::string_view name);

// Loads the set into the block's current set (DirPlayDir, DirPlayMode,
// DirPlayPos); "Active" keeps what the block holds.
void LoadSet(SettingsBlock& block, std::string_view name);

// Writes "Dir" and "PlayMode" of the set and makes them the block's current set.
void DefineSet(SettingsBlock& block, std::string_view name, std::string_view dir, std::int32_t mode);

// Loads the set and, when it has a folder, stores p as its position in the
// registry and in the block.
void SetPosition(SettingsBlock& block, std::string_view name, std::int32_t p);

}  // namespace kl::support::dirplay
