#include "window/macro_timer.h"

#include "notify_codes.h"
#include "system/macro_step.h"
#include "system/support_calls.h"
#include "window/control_ids.h"

namespace kl {
namespace {

constexpr std::int32_t kTimerPlayback = 4;
constexpr UINT kPlaybackInterval = 250;
constexpr UINT kMinimumInterval = 100;
constexpr std::uint32_t kNextJournalRun = 97;

}  // namespace

void MacroTimer::Tick() {
    Stop();
    SettingsBlock* b = block_();
    if (!b) return;
    if (b->JournalMode != kTimerPlayback) {
        CallExecuteFunctionEx(kNextJournalRun, "");
        return;
    }
    const MacroStepResult step = PlayMacroStep(*b);
    SetInterval(step.interval);
    if (step.startTimer) Start();
}

void MacroTimer::TogglePlayback() {
    SettingsBlock* b = block_();
    if (!b) return;
    Stop();
    if (b->JournalMode != 0) {
        b->JournalMode = 0;
        EndTimerPlayback(b);
    } else {
        b->JournalMode = kTimerPlayback;
        SetInterval(kPlaybackInterval);
        Start();
    }
}

void MacroTimer::Control(std::int32_t argument) {
    SettingsBlock* b = block_();
    if (!b) return;
    if (argument == kTimerStart) {
        Start();
    } else if (argument < 0) {
        Stop();
        b->JournalMode = 0;
        EndTimerPlayback(b);
    } else {
        SetInterval(argument > static_cast<std::int32_t>(kMinimumInterval) ? static_cast<UINT>(argument)
                                                                            : kMinimumInterval);
    }
}

void MacroTimer::SetInterval(UINT ms) {
    interval_ = ms;
    if (running_) SetTimer(window_, ids::tmMain, interval_, nullptr);
}

void MacroTimer::Start() { running_ = SetTimer(window_, ids::tmMain, interval_, nullptr) != 0; }

void MacroTimer::Stop() {
    KillTimer(window_, ids::tmMain);
    running_ = false;
}

}  // namespace kl
