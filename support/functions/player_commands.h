// The media player's remote commands (IDs 256 to 279).
#pragma once

#include <cstdint>

#include "functions/post_keys.h"

namespace kl::support {

// Which of the second kind's windows receives the keystrokes.
enum class PlayerTarget { None, Main, Playlist, Volume };

struct PlayerCommand {
    std::uint32_t id;
    WPARAM command;        // the classic player's menu command number
    PlayerTarget target;   // the second kind's target; None: nothing happens
    Keystroke keys[2];
    int keyCount;
    int repeat;            // how many times the keystrokes are posted
    bool secondKindOnly;   // found without starting, and ignored by the classic kind
};

inline constexpr std::uint32_t kPlayerActivate = 256;

// The command of an ID, or null.
const PlayerCommand* FindPlayerCommand(std::uint32_t id);

// Runs a command against the running player. When none runs (and the command
// may start one), starts it and returns at once: the command runs once the
// player is up, from a timer of this thread.
void RunPlayerCommand(const PlayerCommand& command);

}  // namespace kl::support
