// The system removes journal hooks by itself when the user presses Ctrl+Esc or
// Ctrl+Alt+Del, and tells the thread that installed them with WM_CANCELJOURNAL,
// a message for no window that only the message loop sees.
#pragma once

#include <windows.h>

namespace kl {

// True when `msg` is WM_CANCELJOURNAL. A recording then ends as stopping it
// ends, a journal playback as an abort ends; nothing else changes.
bool HandleJournalCancel(const MSG& msg);

}  // namespace kl
