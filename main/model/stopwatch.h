// The stopwatch of the tray menu, kept in the block's six stopwatch fields (the
// functions of klsupport use the same fields). `ticks` is GetTickCount, `time` the
// local date-time as days since 30 Dec 1899.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl {

enum class StopwatchState { NotStarted = 0, Running = 1, Paused = 2, Stopped = 3 };
StopwatchState StateOf(const SettingsBlock* b);

void TimerClear(SettingsBlock& b);
void TimerStart(SettingsBlock& b, std::uint32_t ticks, double time);
void TimerStop(SettingsBlock& b, std::uint32_t ticks, double time);
void TimerPause(SettingsBlock& b, std::uint32_t ticks, double time);
// Removes the pause from the elapsed time; only a paused stopwatch resumes.
void TimerResume(SettingsBlock& b, std::uint32_t ticks, double time);

// Which items the tray's stopwatch menu shows in a state (Clear and Status always).
struct StopwatchItems {
    bool start, stop, pause, resume;
};
StopwatchItems VisibleStopwatchItems(StopwatchState state);

}  // namespace kl
