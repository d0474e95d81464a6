#include "journal_stop.h"

#include "hook_block.h"
#include "journal_state.h"

namespace kl::hook {

void StopJournal(bool abort) {
    SettingsBlock* b = Block();
    if (!b) return;
    if (b->JournalHook) {
        Trace("Unhooking journal");
        UnhookWindowsHookEx(reinterpret_cast<HHOOK>(static_cast<UINT_PTR>(b->JournalHook)));
        b->JournalHook = 0;
    }
    const std::int32_t pos = b->MacroPosition;
    if (pos > 0 && pos <= kMacroEventCapacity) b->MacroEvents[pos - 1].Delay &= ~kTimerMarker;
    b->MacroPosition = 0;
    b->JournalMode = 0;
    b->HotkeysSuspended = 0;
    b->KeyloomEnabled = 1;
    NotifyKeyloom(b->IconDefault, -2);
    if (abort) {
        b->MacroRepeat = 1;
        NotifyKeyloom(static_cast<WPARAM>(-1), -7);
    }
}

}  // namespace kl::hook
