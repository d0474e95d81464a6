// Simple mode: a combination registered with RegisterHotKey that no hotkey takes in
// the program in front still reaches that program as typed. The registration is
// given up, the combination replayed with SendInput and registered again once the
// system has taken in the replayed input, so that it does not fire again.
#pragma once

#include <windows.h>

#include <vector>

namespace kl {

// The input that replays `key` with the modifier set `modifiers` (MOD_ALT,
// MOD_CONTROL, MOD_SHIFT, MOD_WIN) while `held` of them are still down: only the
// key goes down and up; each modifier let go already goes down before it and
// up after it, in the reverse order.
std::vector<INPUT> PassThroughInput(UINT modifiers, UINT held, UINT key);

// The modifiers of the set whose keys the system reports down now.
UINT HeldModifiers(UINT modifiers);

// Unregisters hotkey `registration` of `window`, replays the combination, and
// registers it again. False when the registration could not be made again
// (another program took the combination meanwhile).
bool PassHotkeyThrough(HWND window, int registration, UINT modifiers, UINT key);

}  // namespace kl
