#include "journal_stop.h"

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
    // A timer period marker on the event being played is given up.
    const std::int32_t position = b.MacroPosition;
    if (position > 0 && position <= kMacroEventCapacity) b.MacroEvents[position - 1].Delay &= ~(1u << 30);
    b.MacroPosition = 0;
    b.JournalMode = 0;
    b.HotkeysSuspended = 0;
    b.KeyloomEnabled = 1;
    NotifyKeyloom(b, p, static_cast<WPARAM>(b.IconDefault), kNotifyTrayIcon);
    if (how == JournalStop::Abort) {
        b.MacroRepeat = 1;
        NotifyKeyloom(b, p, static_cast<WPARAM>(-1), kNotifyTimer);
    }
}

}  // namespace kl::hook
