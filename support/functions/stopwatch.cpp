#include "functions/stopwatch.h"

#include <windows.h>

namespace kl::support {
namespace {

// The local date-time as days since 30 December 1899, the time of day as the fraction.
double Now() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    FILETIME ft{};
    if (!SystemTimeToFileTime(&local, &ft)) return 0.0;
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    // File times count 100 ns from 1 January 1601, which lies 109205 days before day 0.
    constexpr double kTicksPerDay = 864000000000.0;
    constexpr double kDaysFrom1601 = 109205.0;
    return static_cast<double>(t.QuadPart) / kTicksPerDay - kDaysFrom1601;
}

}  // namespace

void StopwatchReset(SettingsBlock& b, const Params&) {
    b.StopwatchStartTicks = b.StopwatchStopTicks = b.StopwatchPauseTicks = 0;
    b.StopwatchStartTime = 0.0;
    b.StopwatchStopTime = 0.0;
    b.StopwatchPauseTime = 0.0;
}

void StopwatchStart(SettingsBlock& b, const Params&) {
    const DWORD ticks = GetTickCount();
    const double now = Now();
    b.StopwatchStartTicks = ticks;
    b.StopwatchStopTicks = 0;
    b.StopwatchPauseTicks = 0;
    b.StopwatchStartTime = now;
    b.StopwatchStopTime = 0.0;
    b.StopwatchPauseTime = 0.0;
}

void StopwatchStop(SettingsBlock& b, const Params&) {
    const DWORD ticks = GetTickCount();
    const double now = Now();
    b.StopwatchStopTicks = ticks;
    b.StopwatchPauseTicks = 0;
    b.StopwatchStopTime = now;
    b.StopwatchPauseTime = 0.0;
}

void StopwatchPause(SettingsBlock& b, const Params&) {
    const DWORD ticks = GetTickCount();
    const double now = Now();
    b.StopwatchStopTicks = 0;
    b.StopwatchPauseTicks = ticks;
    b.StopwatchStopTime = 0.0;
    b.StopwatchPauseTime = now;
}

void StopwatchResume(SettingsBlock& b, const Params&) {
    // Only a paused stopwatch resumes: without a pause reading the shift would
    // throw the start back by the whole tick count.
    if (b.StopwatchPauseTicks == 0) return;
    const DWORD ticks = GetTickCount();
    const double now = Now();
    b.StopwatchStartTicks += ticks - b.StopwatchPauseTicks;
    b.StopwatchStartTime = b.StopwatchStartTime + (now - b.StopwatchPauseTime);
    b.StopwatchPauseTicks = 0;
    b.StopwatchPauseTime = 0.0;
}

}  // namespace kl::support
