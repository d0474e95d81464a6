// Plays the macro with SendInput, one timer tick per delay, on the thread that
// started it: the same positions, delays, timer markers and repeat counts as
// the playback journal, Escape aborting.
#include <windows.h>

#include "macro/input_sender.h"
#include "macro/macro_writer.h"
#include "macro/playback.h"
#include "notify.h"

namespace kl::support {
namespace {

// Events sent in one tick at most, so that the thread keeps pumping.
constexpr int kEventsPerTick = 64;
// Longer waits are cut into slices so that Escape is seen while waiting.
constexpr DWORD kWaitSliceMs = 50;

struct Player {
    SettingsBlock* block = nullptr;
    UINT_PTR timer = 0;
    bool delayDone = false;  // the delay of the event at MacroPosition has been waited
    DWORD waitStart = 0;     // tick count when the current wait began
    DWORD waitMs = 0;        // its length; 0 when not waiting
    HeldInput held;          // pressed by this playback and not yet released
};
Player g_player;

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);

void Arm(DWORD ms) {
    g_player.timer = SetTimer(nullptr, 0, ms < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : ms, Tick);
}

void Schedule(DWORD ms) {
    g_player.waitStart = GetTickCount();
    g_player.waitMs = ms;
    Arm(ms < kWaitSliceMs ? ms : kWaitSliceMs);
}

// True while the current wait has time left; the timer is then armed again.
bool StillWaiting() {
    if (!g_player.waitMs) return false;
    const DWORD elapsed = GetTickCount() - g_player.waitStart;
    if (elapsed >= g_player.waitMs) {
        g_player.waitMs = 0;
        return false;
    }
    const DWORD left = g_player.waitMs - elapsed;
    Arm(left < kWaitSliceMs ? left : kWaitSliceMs);
    return true;
}

// A wait during which the user's keys and hotkeys work again, as with the
// journal removed for a timer period.
void Pause(SettingsBlock& b, DWORD ms) {
    b.JournalMode = 3;
    b.KeyloomEnabled = kTrue;
    b.HotkeysSuspended = kFalse;
    Schedule(ms);
}

// The first step runs at once, inside the call that starts the playback; the end of the
// macro (its repeats, its stop) is left to a tick, so that the start always returns with
// the playback running.
void Step(SettingsBlock& b, bool first) {
    if (GetAsyncKeyState(VK_ESCAPE) & 0x8000) return StopPlayback(b, true);
    if (b.JournalMode == 0) {  // stopped from elsewhere (keyboard hook, a cancelling translator)
        StopFallbackPlayer();
        return;
    }
    if (StillWaiting()) return;
    if (b.JournalMode == 3) {
        b.JournalMode = 2;
        b.KeyloomEnabled = kFalse;
        b.HotkeysSuspended = kTrue;
        NotifyMainWindow(b, b.IconPlaying, kNotifyIcon);
    }
    for (int sent = 0; sent < kEventsPerTick;) {
        std::int32_t length = b.MacroLength;
        if (length > kMacroEventCapacity) length = kMacroEventCapacity;
        std::int32_t pos = b.MacroPosition;
        if (pos < 0) pos = 0;
        if (pos >= length) {
            if (first) return Schedule(0);
            b.MacroPosition = 0;
            g_player.delayDone = false;
            if (b.MacroRepeat < 0) {
                NotifyMainWindow(b, b.IconDefault, kNotifyIcon);
                const std::int32_t interval = b.MacroInterval;
                return Pause(b, interval > 0 ? static_cast<DWORD>(interval) : 0);
            }
            std::int32_t repeat = b.MacroRepeat;
            if (repeat > 0) --repeat;
            if (repeat <= 0 || length <= 0) return StopPlayback(b, false);
            b.MacroRepeat = repeat;
            continue;
        }
        const MacroEvent& e = b.MacroEvents[pos];
        const std::uint32_t ms = e.Delay & kDelayMsMask;
        if (!g_player.delayDone && ms) {
            g_player.delayDone = true;
            if (e.Delay & kDelayTimerMarker) return Pause(b, ms);
            return Schedule(ms);
        }
        SendMacroEvent(e);
        g_player.held.Note(e);
        b.MacroPosition = pos + 1;
        g_player.delayDone = false;
        ++sent;
    }
    Schedule(0);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (id != g_player.timer || !g_player.block) return;
    g_player.timer = 0;
    Step(*g_player.block, false);
}

}  // namespace

void StartFallbackPlayer(SettingsBlock& block) {
    StopFallbackPlayer();
    g_player.block = &block;
    // A macro started by a hotkey starts while the user may still hold its modifiers,
    // which would apply to the played keys: they are let go of first (behind a neutral
    // key, so that a lone Alt or Windows key opens nothing), and the first event goes at once.
    ReleaseUserModifiers();
    Step(block, true);
}

void StopFallbackPlayer() {
    if (g_player.timer) KillTimer(nullptr, g_player.timer);
    ReleaseHeldInput(g_player.held);
    g_player = {};
}

bool FallbackPlayerActive() { return g_player.block != nullptr; }

SettingsBlock* FallbackPlayerBlock() { return g_player.block; }

}  // namespace kl::support
