// Timer playback of the block's macro (JournalMode 4): each tick of the main
// window's timer plays events with keybd_event and mouse_event up to the next
// delay, or the end of a run.
#pragma once

#include <windows.h>

#include "settings_block.h"

namespace kl {

struct MacroStepResult {
    UINT interval = 0;          // the timer's new interval
    bool startTimer = false;    // start the timer again with it
};

// One tick. A delay word's bit 15 marks a delay already waited: the event
// waiting for it is played on the next tick and the bit cleared again.
MacroStepResult PlayMacroStep(SettingsBlock& block);

// Releases every key and button the timer playback has pressed and not
// released: at the end of a run, and wherever the playback is stopped
// (switched off, aborted, the program ending), and clears the marks of its
// progress from the block's macro.
void EndTimerPlayback(SettingsBlock* block);

}  // namespace kl
