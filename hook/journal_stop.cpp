#include "journal_stop.h"

#include "macro_record.h"
#include "notify.h"
#include "trace.h"

namespace kl::hook {

void StopJournal(SettingsBlock& b, const Platform& p, JournalStop how) {
    const Handle32 hook = b.JournalHook;
    if (hook != 0) {
        DebugTrace(b, p, "Unhooking journal");
        p.Unhook(ToHook(hook));
        b.JournalHook = 0;
    }
    // The macro stays as it was stored: its timer period markers are kept for the
    // next playback, and only the marks of this playback's progress go.
    ClearPlaybackMarks(b);
    b.MacroPosition = 0;
    b.JournalMode = 0;
    b.HotkeysSuspended = 0;
    b.KeyloomEnabled = 1;
    NotifyKeyloom(b, p, static_cast<WPARAM>(b.IconDefault), kNotifyIcon);
    if (how == JournalStop::Abort) {
        b.MacroRepeat = 1;
        NotifyKeyloom(b, p, static_cast<WPARAM>(kTimerStop), kNotifyTimer);
    }
}

}  // namespace kl::hook
