#include "system/journal_cancel.h"

#include "system/library_binding.h"
#include "handle_words.h"
#include "notify_codes.h"
#include "text255.h"

namespace kl {
namespace {

constexpr std::int32_t kRecording = 1;
constexpr std::int32_t kJournalPlaying = 2;

void Notify(const SettingsBlock& b, WPARAM wParam, LPARAM lParam) {
    const HWND main = WindowFromWord(b.MainWindow);
    if (main && b.NotifyMessage) PostMessageA(main, b.NotifyMessage, wParam, lParam);
}

void EndCancelledJournal(SettingsBlock& b) {
    const std::int32_t mode = b.JournalMode;
    // Timer periods and timer playback run without a journal.
    if (mode != kRecording && mode != kJournalPlaying) return;
    if (const Handle32 hook = b.JournalHook) {
        // Normally gone already: removing it again fails and does no harm. It is
        // still there when a recorder or player of our own stood in for the journal.
        UnhookWindowsHookEx(HandleFromWord<HHOOK>(hook));
        b.JournalHook = 0;
    }
    b.MacroPosition = 0;
    b.MacroRepeat = 1;
    if (mode == kRecording) {
        b.CurrentStatus = kStatusRecording;
        b.LastStatus = kStatusRecording;
        b.MacroInterval = 0;
        SetText255(b.StatusText, "Stopped recording");
        b.JournalMode = 0;
    } else {
        b.JournalMode = 0;
        b.HotkeysSuspended = kFalse;
        b.KeyloomEnabled = kTrue;
        Notify(b, static_cast<WPARAM>(kTimerStop), kNotifyTimer);
    }
    Notify(b, static_cast<WPARAM>(b.IconDefault), kNotifyIcon);
}

}  // namespace

bool HandleJournalCancel(const MSG& msg) {
    if (msg.message != WM_CANCELJOURNAL || msg.hwnd) return false;
    if (SettingsBlock* b = Block()) EndCancelledJournal(*b);
    return true;
}

}  // namespace kl
