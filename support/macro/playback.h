// Playing the macro of the block: through klhook's playback journal, or where
// the journal is refused or never called, by SendInput paced by a timer on the
// calling thread (which must therefore pump its messages).
#pragma once

#include "settings_block.h"

namespace kl::support {

// Milliseconds the playback journal has to show that the system calls it.
inline constexpr unsigned kJournalWatchdogMs = 200;

bool PlayMacro(SettingsBlock& block);

// Ends a playback: the journal is removed, the flags restored, the default icon
// shown; an abort also sets the repeat count to 1 and stops the main window's timer.
void StopPlayback(SettingsBlock& block, bool abort);

// While a playback waits for a timer period (JournalMode 3): cancels it and
// returns true. Used by the text translators before they build a macro.
bool CancelPendingPlayback(SettingsBlock& block);

// Start mode 1 hands the prepared macro to the main window's timer, any other
// value plays it at once.
void StartMacro(SettingsBlock& block, std::int32_t startMode);

// Before the library goes away: a playback or recording running on this
// library's own timers or keyboard hook ends quietly and the block is left idle.
void EndMacroActivity();

// The SendInput player (fallback_player.cpp).
void StartFallbackPlayer(SettingsBlock& block);
void StopFallbackPlayer();
bool FallbackPlayerActive();
SettingsBlock* FallbackPlayerBlock();

}  // namespace kl::support
