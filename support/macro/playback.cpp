#include "macro/playback.h"

#include <windows.h>

#include "macro/journal_hooks.h"
#include "macro/journal_support.h"
#include "macro/recording.h"
#include "macro_record.h"
#include "notify.h"
#include "text255.h"

namespace kl::support {
namespace {

// Watches a freshly installed playback journal: some systems accept it and
// then never call it, and the macro must play all the same.
struct Watchdog {
    UINT_PTR timer = 0;
    SettingsBlock* block = nullptr;
    std::uint32_t hook = 0;
    std::int32_t position = 0;
};
Watchdog g_watch;

void StopWatchdog() {
    if (g_watch.timer) KillTimer(nullptr, g_watch.timer);
    g_watch = {};
}

void CALLBACK WatchdogExpired(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (id != g_watch.timer) return;
    const Watchdog w = g_watch;
    g_watch = {};
    SettingsBlock& b = *w.block;
    if (b.JournalMode != 2 || b.JournalHook != w.hook) return;
    if (b.MacroPosition != w.position) {
        NoteJournalSupport(JournalSupport::Moves);
        return;
    }
    // From now on macros do not wait for a journal that this system never calls.
    NoteJournalSupport(JournalSupport::Stuck);
    RemoveJournalHook(b);
    StartFallbackPlayer(b);
}

void StartWatchdog(SettingsBlock& block) {
    StopWatchdog();
    g_watch.block = &block;
    g_watch.hook = block.JournalHook;
    g_watch.position = block.MacroPosition;
    g_watch.timer = SetTimer(nullptr, 0, kJournalWatchdogMs, WatchdogExpired);
}

void RestoreAfterPlayback(SettingsBlock& b) {
    ClearPlaybackMarks(b);
    b.JournalMode = 0;
    b.MacroPosition = 0;
    b.KeyloomEnabled = kTrue;
    b.HotkeysSuspended = kFalse;
}

}  // namespace

void StopPlayback(SettingsBlock& b, bool abort) {
    StopFallbackPlayer();
    StopWatchdog();
    RemoveJournalHook(b);
    RestoreAfterPlayback(b);
    NotifyMainWindow(b, b.IconDefault, kNotifyIcon);
    if (abort) {
        b.MacroRepeat = 1;
        NotifyMainWindow(b, static_cast<WPARAM>(kTimerStop), kNotifyTimer);
    }
}

bool CancelPendingPlayback(SettingsBlock& b) {
    if (b.JournalMode != 3) return false;
    StopFallbackPlayer();
    StopWatchdog();
    RemoveJournalHook(b);
    ClearPlaybackMarks(b);
    b.MacroRepeat = 1;
    b.JournalMode = 0;
    b.MacroPosition = 0;
    b.KeyloomEnabled = kTrue;
    NotifyMainWindow(b, static_cast<WPARAM>(kTimerStop), kNotifyTimer);
    NotifyMainWindow(b, b.IconDefault, kNotifyIcon);
    return true;
}

bool PlayMacro(SettingsBlock& b) {
    if (b.JournalMode == 1 && !StopRecording(b)) return false;
    // Play while playing stops. The fallback player also counts as playing while
    // it waits out a timer period, since no main window timer resumes it.
    if (b.JournalMode == 2 || (b.JournalMode == 3 && FallbackPlayerActive())) {
        b.MacroRepeat = 1;
        StopFallbackPlayer();
        StopWatchdog();
        RemoveJournalHook(b);
        NotifyMainWindow(b, b.IconDefault, kNotifyIcon);
        RestoreAfterPlayback(b);
        return false;
    }
    if (b.JournalHook) return false;
    b.CurrentStatus = kStatusPlaying;
    ClearModifierKeys();
    b.SysModal = 0;
    if (b.MacroLength <= 0) {
        b.LastStatus = kStatusNoMacro;
        return false;
    }
    if (b.JournalMode != 3) b.MacroPosition = 0;

    const HMODULE module = HookModuleOf(b);
    const FARPROC proc = module ? GetProcAddress(module, "KLJournalPlaybackProc") : nullptr;
    if (!b.HookModule) {
        SetText255(b.StatusText, "Module not loaded");
        return false;
    }
    if (!proc) {
        SetText255(b.StatusText, "Failed to Play Macro");
        return false;
    }
    b.MacroEvents[0].Delay = 0;
    b.JournalMode = 2;
    b.HotkeysSuspended = kTrue;
    b.KeyloomEnabled = kFalse;
    EndJournalProbe();  // nothing else may play meanwhile
    HHOOK hook = nullptr;
    if (PlaybackJournalSupport() != JournalSupport::Stuck) {
        hook = g_installJournalHook(WH_JOURNALPLAYBACK, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(proc)),
                                    module, 0);
        if (!hook) NoteJournalSupport(JournalSupport::Stuck);
    }
    b.JournalHook = HandleWord(hook);
    if (hook) {
        NotifyMainWindow(b, b.IconPlaying, kNotifyIcon);
        StartWatchdog(b);
    } else {
        // The first keys go out before the tray icon changes: the shell takes its time.
        StartFallbackPlayer(b);
        if (b.JournalMode == 2) NotifyMainWindow(b, b.IconPlaying, kNotifyIcon);
    }
    return b.JournalHook != 0 || FallbackPlayerActive();
}

void EndMacroActivity() {
    EndJournalProbe();
    StopWatchdog();
    SettingsBlock* playing = FallbackPlayerBlock();
    StopFallbackPlayer();
    if (playing) {
        playing->JournalMode = 0;
        playing->MacroPosition = 0;
        playing->KeyloomEnabled = kTrue;
        playing->HotkeysSuspended = kFalse;
    }
    EndKeyboardRecorder();
}

void StartMacro(SettingsBlock& block, std::int32_t startMode) {
    if (startMode == 1) NotifyMainWindow(block, 0, kNotifyToggleTimerPlayback);
    else PlayMacro(block);
}

}  // namespace kl::support
