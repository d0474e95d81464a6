// Ending a journal playback; also used by the keyboard hook (Escape, both
// Windows keys).
#pragma once

namespace kl::hook {

// Removes the journal, restores the flags, shows the default icon; an abort
// also sets the repeat count to 1 and stops the main window's timer.
void StopJournal(bool abort);

}  // namespace kl::hook
