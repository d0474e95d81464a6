// The keyboard hook's decision for one keyboard message: keeps the modifier
// flags, fires hotkeys on release, handles the Windows key, its shortcuts,
// the window bookmarks and the Escape abort of a running journal.
#pragma once

#include "platform.h"

namespace kl::hook {

// Returns true when the key is to be discarded.
bool DecideKeyboard(SettingsBlock& b, const Platform& p, WPARAM wParam, LPARAM lParam);

}  // namespace kl::hook
