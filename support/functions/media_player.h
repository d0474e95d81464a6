// Finding, and if need be starting, the external media player.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kl::support {

enum class PlayerKind { None, Classic, Second };

struct Player {
    PlayerKind kind = PlayerKind::None;
    HWND window = nullptr;  // the "Winamp v1.x" or the "STUDIO" window
};

// The running player: a top-level window of class "Winamp v1.x", else one of
// class "STUDIO".
Player FindPlayer();

// Called with the started player for each request made while it started.
using PlayerReady = void (*)(const Player& player, std::uint32_t request);

// Starts the program associated with "mp3" files and returns at once. A thread
// timer of the calling thread, which must dispatch messages, then watches for
// the player's window to become visible (15 s), lets the player settle (2 s) and
// calls `ready` for this request and every one made meanwhile, in order. A
// request made while a start is under way joins it instead of starting another
// player. When no window comes up in time nothing is called.
void StartPlayerThen(PlayerReady ready, std::uint32_t request);

// Whether a start is under way.
bool PlayerStartPending();

// Ends a start under way; its requests are dropped (the library's detach).
void CancelPlayerStart();

// The waits of the start, in milliseconds (the defaults are 15000 and 2000).
inline constexpr DWORD kPlayerStartWait = 15000;
inline constexpr DWORD kPlayerSettleWait = 2000;

}  // namespace kl::support

// Lets a test shorten the waits of the player start; 0 restores a default.
extern "C" void WINAPI SetPlayerStartWait(DWORD startMs, DWORD settleMs);
