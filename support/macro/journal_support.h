// Whether this system calls a playback journal at all. Some systems accept the journal
// and never call it (Wine); Windows 11 documents journal hooks as unsupported. Once that
// is known, macros play with SendInput at once instead of first waiting for the journal.
#pragma once

#include <windows.h>

namespace kl::support {

enum class JournalSupport { Unknown, Moves, Stuck };

// What is known in this process: Stuck from the start on Windows 11 and later.
JournalSupport PlaybackJournalSupport();
void NoteJournalSupport(JournalSupport support);

// Installs a playback journal that plays nothing but the pointer's own position, to
// learn the answer before the first macro: Moves when the system calls it, Stuck when it
// has not within the watchdog's time. The calling thread must pump its messages. False
// when there is nothing to learn or the journal was refused (then Stuck).
bool ProbePlaybackJournal();
// Removes a probe still waiting; what it has learnt stays.
void EndJournalProbe();

}  // namespace kl::support
