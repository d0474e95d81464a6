#include "model/stopwatch.h"

namespace kl {

StopwatchState StateOf(const SettingsBlock* b) {
    if (!b || b->StopwatchStartTicks == 0) return StopwatchState::NotStarted;
    if (b->StopwatchPauseTicks != 0) return StopwatchState::Paused;
    if (b->StopwatchStopTicks != 0) return StopwatchState::Stopped;
    return StopwatchState::Running;
}

void TimerClear(SettingsBlock& b) {
    b.StopwatchStartTicks = b.StopwatchStopTicks = b.StopwatchPauseTicks = 0;
    b.StopwatchStartTime = b.StopwatchStopTime = b.StopwatchPauseTime = 0.0;
}

void TimerStart(SettingsBlock& b, std::uint32_t ticks, double time) {
    // A start at tick 0 would read as "not started".
    b.StopwatchStartTicks = ticks ? ticks : 1;
    b.StopwatchStopTicks = b.StopwatchPauseTicks = 0;
    b.StopwatchStartTime = time;
    b.StopwatchStopTime = b.StopwatchPauseTime = 0.0;
}

void TimerStop(SettingsBlock& b, std::uint32_t ticks, double time) {
    b.StopwatchStopTicks = ticks ? ticks : 1;
    b.StopwatchPauseTicks = 0;
    b.StopwatchStopTime = time;
    b.StopwatchPauseTime = 0.0;
}

void TimerPause(SettingsBlock& b, std::uint32_t ticks, double time) {
    b.StopwatchStopTicks = 0;
    b.StopwatchPauseTicks = ticks ? ticks : 1;
    b.StopwatchStopTime = 0.0;
    b.StopwatchPauseTime = time;
}

void TimerResume(SettingsBlock& b, std::uint32_t ticks, double time) {
    if (b.StopwatchPauseTicks == 0) return;
    b.StopwatchStartTicks += ticks - b.StopwatchPauseTicks;
    b.StopwatchStartTime += time - b.StopwatchPauseTime;
    b.StopwatchPauseTicks = 0;
    b.StopwatchPauseTime = 0.0;
}

StopwatchItems VisibleStopwatchItems(StopwatchState state) {
    using S = StopwatchState;
    return {state == S::NotStarted || state == S::Stopped, state == S::Running || state == S::Paused,
            state == S::Running, state == S::Paused};
}

}  // namespace kl
