// Finding, and if need be starting, the external media player.
#pragma once

#include <windows.h>

namespace kl::support {

enum class PlayerKind { None, Classic, Second };

struct Player {
    PlayerKind kind = PlayerKind::None;
    HWND window = nullptr;  // the "Winamp v1.x" or the "STUDIO" window
};

// The running player: a top-level window of class "Winamp v1.x", else one of
// class "STUDIO".
Player FindPlayer();

// The running player; when there is none, starts the program associated with
// "mp3" files and waits for its window to become visible (15 s), then lets it
// settle (2 s). The result has no window when none came up.
Player FindOrStartPlayer();

// The waits of the start, in milliseconds (the defaults are 15000 and 2000).
inline constexpr DWORD kPlayerStartWait = 15000;
inline constexpr DWORD kPlayerSettleWait = 2000;

}  // namespace kl::support

// Lets a test shorten the waits of the player start; 0 restores a default.
extern "C" void WINAPI SetPlayerStartWait(DWORD startMs, DWORD settleMs);
