// tmMain's tick: timer playback of the macro, or the journal playback's next run.
#include "system/library_binding.h"
#include "system/macro_step.h"
#include "system/support_calls.h"
#include "window/main_window.h"

namespace kl {

void TfrmMain::tmMainTimer() {
    StopTimer();
    SettingsBlock* b = Block();
    if (!b) return;
    if (b->JournalMode != 4) {
        CallExecuteFunctionEx(97, "");
        return;
    }
    const MacroStepResult step = PlayMacroStep(*b);
    SetTimerInterval(step.interval);
    if (step.startTimer) StartTimer();
}

}  // namespace kl
