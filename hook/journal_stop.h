// Stopping a running journal (recording or playback) from the hook library.
// The keyboard hook calls it for Escape and for both Windows keys while a
// journal runs; the journal procedures use it when a playback ends or aborts.
#pragma once

#include "platform.h"

namespace kl::hook {

enum class JournalStop { Finished, Abort };

// Removes the journal hook named in the block, rewinds the macro, gives the
// hotkeys back, shows the default tray icon; an abort also resets the repeat
// count and stops the main program's timer.
void StopJournal(SettingsBlock& b, const Platform& p, JournalStop how);

}  // namespace kl::hook
