#include <array>
#include <utility>

#include "functions/cd_door.h"
#include "functions/function_table.h"
#include "functions/mixer.h"
#include "functions/player_commands.h"

namespace kl::support {

namespace {

void ToggleMute(SettingsBlock&, const Params&) { ToggleMasterMute(); }
void VolumeUp(SettingsBlock&, const Params&) { ChangeMasterVolume(true); }
void VolumeDown(SettingsBlock&, const Params&) { ChangeMasterVolume(false); }

// Each player ID has its own entry; the handler looks its command up again by
// ID, which the entry cannot carry.
template <std::uint32_t Id>
void PlayerFunction(SettingsBlock&, const Params&) {
    if (const PlayerCommand* command = FindPlayerCommand(Id)) RunPlayerCommand(*command);
}

template <std::uint32_t... Offsets>
constexpr auto MakeTable(std::integer_sequence<std::uint32_t, Offsets...>) {
    return std::array<FunctionEntry, 4 + sizeof...(Offsets)>{{
        {195, ToggleMute},
        {196, VolumeUp},
        {197, VolumeDown},
        {200, OpenCdDoor},
        {256 + Offsets, PlayerFunction<256 + Offsets>}...,
    }};
}

constexpr auto kSoundPlayerFunctions = MakeTable(std::make_integer_sequence<std::uint32_t, 24>{});

}  // namespace

std::span<const FunctionEntry> SoundPlayerFunctions() { return kSoundPlayerFunctions; }

}  // namespace kl::support
