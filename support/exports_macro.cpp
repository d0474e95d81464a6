// Export: ProbeJournalPlayback.
#include <windows.h>

#include "export_guard.h"
#include "macro/journal_support.h"

using namespace kl::support;

extern "C" {

// Learns, on the calling thread (which pumps its messages), whether this system plays a
// journal, so that the first macro need not wait to find out. True when a probe started.
BOOL WINAPI ProbeJournalPlayback() {
    return Guarded<BOOL>(FALSE, [] { return ProbePlaybackJournal() ? TRUE : FALSE; });
}

}  // extern "C"
