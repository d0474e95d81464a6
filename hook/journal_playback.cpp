// The playback journal: feeds the block's macro to the system event by event.
#include <windows.h>

#include "attach.h"
#include "notify.h"
#include "platform.h"
#include "journal_state.h"
#include "journal_stop.h"
#include "macro_record.h"
#include "trace.h"

using namespace kl;
using namespace kl::hook;

namespace {

void Trace(const SettingsBlock& b, const char* text) { DebugTrace(b, RealPlatform(), text); }
void Notify(SettingsBlock& b, WPARAM w, LPARAM l) { NotifyKeyloom(b, RealPlatform(), w, l); }
void Stop(SettingsBlock& b, JournalStop how) { StopJournal(b, RealPlatform(), how); }

// The event handed to the system on the next HC_GETNEXT (this process only).
struct PreparedEvent {
    std::uint32_t message, paramL, paramH, delay, window;
};
PreparedEvent g_prepared;

// The delay of event i, handed out once: the second request for the same
// event gets 0. Timer-marked delays are waited by the main window instead.
std::uint32_t TakeDelay(MacroEvent& e) {
    const std::uint32_t d = e.Delay;
    if (d == 0 || (d & kTimerMarker)) return 0;
    if (d & kHandedOut) {
        e.Delay = d & kDelayMs;
        return 0;
    }
    e.Delay = d | kHandedOut;
    return d & kDelayMs;
}

void Prepare(SettingsBlock& b, std::int32_t i) {
    if (i < 0 || i >= kMacroEventCapacity) return;
    Trace(b, "getting macro line");
    MacroEvent& e = b.MacroEvents[i];
    g_prepared.message = e.Message;
    HWND window = GetFocus();
    if (!window) window = GetForegroundWindow();
    g_prepared.window = window ? ToHandle32(window) : e.Window;
    g_prepared.delay = TakeDelay(e);
    g_prepared.paramL = e.ParamL;
    g_prepared.paramH = e.ParamH;
    // The system reads the extended flag from bit 15; typed events name the key only.
    if (e.Message >= kFirstKeyboardMessage && e.Message <= kLastKeyboardMessage && IsExtendedKeyEvent(e))
        g_prepared.paramH |= 0x8000;
    if (e.Message >= WM_MOUSEFIRST && e.Message <= 0x209) {
        POINT now;
        if (RealPlatform().CursorPos(&now)) {
            g_prepared.paramL = static_cast<std::uint32_t>(ResolveCoordinate(e.ParamL & 0xFFFF, now.x));
            g_prepared.paramH = static_cast<std::uint32_t>(ResolveCoordinate(e.ParamL >> 16, now.y));
        } else {
            g_prepared.paramH = e.ParamL >> 16;
        }
    }
}

LRESULT GetNext(SettingsBlock& b, std::int32_t pos, std::int32_t len, LPARAM lParam) {
    if (pos <= 0 || pos > len || !lParam) return 0;
    Trace(b, "HC_GETNEXT");
    auto* record = reinterpret_cast<EVENTMSG*>(lParam);
    record->message = g_prepared.message;
    record->paramL = g_prepared.paramL;
    record->paramH = g_prepared.paramH;
    record->time = g_prepared.delay;
    record->hwnd = ToWindow(g_prepared.window);
    if (!g_prepared.delay) return 0;
    b.MacroEvents[pos - 1].Delay &= kDelayMs;
    const std::uint32_t delay = g_prepared.delay;
    g_prepared.delay = 0;
    Trace(b, "returning delay time");
    return static_cast<LRESULT>(delay);
}

void Skip(SettingsBlock& b, std::int32_t pos, std::int32_t len) {
    Trace(b, "HC_SKIP");
    // A position outside the macro (a damaged block) counts as played through.
    pos = pos < 0 ? 1 : (pos > len ? len + 1 : pos + 1);
    b.MacroPosition = pos;
    if (pos > len) {
        if (b.MacroRepeat < 0) {
            Stop(b, JournalStop::Finished);
            // -1 and -2 would stop or start the main window's timer instead.
            const std::int32_t interval = b.MacroInterval;
            Notify(b, static_cast<WPARAM>(interval > 0 ? interval : 0), kNotifyTimer);
            Notify(b, static_cast<WPARAM>(kTimerStart), kNotifyTimer);
            b.JournalMode = 3;
            return;
        }
        std::int32_t repeat = b.MacroRepeat;
        if (repeat > 0) --repeat;
        if (repeat <= 0) {
            Stop(b, JournalStop::Finished);
            return;
        }
        // The next run starts as if its first event had been skipped to: the next
        // HC_GETNEXT hands out event 0, as it handed out event pos - 1 before.
        b.MacroRepeat = repeat;
        b.MacroPosition = 1;
        Prepare(b, 0);
        return;
    }
    // Only events of the macro carry markers; what lies beyond is stale.
    const std::uint32_t d = pos < len ? b.MacroEvents[pos].Delay : 0;
    if (d & kTimerTaken) {
        b.MacroEvents[pos].Delay = d & ~kTimerTaken;
    } else if (d & kTimerMarker) {
        Trace(b, "unhooking journal for timer period");
        RealPlatform().Unhook(ToHook(b.JournalHook));
        b.JournalHook = 0;
        Notify(b, static_cast<WPARAM>(d & ~kTimerMarker), kNotifyTimer);
        b.MacroEvents[pos].Delay = d | kTimerTaken;
        b.JournalMode = 3;
        b.MacroPosition = pos - 1;
        b.KeyloomEnabled = 1;
        b.HotkeysSuspended = 0;
        Notify(b, static_cast<WPARAM>(kTimerStart), kNotifyTimer);
    }
    Prepare(b, pos - 1);
}

}  // namespace

extern "C" LRESULT CALLBACK KLJournalPlaybackProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
    SettingsBlock* b = g_process.block;
    if (!b) return 0;
    if (RealPlatform().AsyncKeyState(VK_ESCAPE) & 0x8000) {
        Trace(*b, "Aborting journal");
        Stop(*b, JournalStop::Abort);
        return 0;
    }
    const std::int32_t len = MacroLengthOf(*b);
    const std::int32_t pos = b->MacroPosition;
    switch (code) {
        case HC_GETNEXT:
            return GetNext(*b, pos, len, lParam);
        case HC_SKIP:
            Skip(*b, pos, len);
            return 0;
        case HC_SYSMODALON:
            Trace(*b, "HC_sysmodalON");
            b->SysModal = 1;
            return 0;
        case HC_SYSMODALOFF:
            Trace(*b, "HC_sysmodalOFF");
            b->SysModal = 0;
            Stop(*b, JournalStop::Abort);
            return 0;
        default:
            return 0;
    }
}
