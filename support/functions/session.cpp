#include <windows.h>

#include "functions/clear_traces.h"
#include "functions/confirm.h"
#include "functions/function_table.h"
#include "functions/launch.h"
#include "functions/session_actions.h"

namespace kl::support {

namespace {

void ConfirmThenExit(SettingsBlock& block, const Params& params, const char* question, UINT flags) {
    if (ShouldAsk(params) && !Confirm(block, question)) return;
    ExitSession(flags);
}

void LogOff(SettingsBlock&, const Params&) { ExitSession(EWX_LOGOFF); }

void ShutDown(SettingsBlock& block, const Params& p) {
    ConfirmThenExit(block, p, "Shut down computer ?", EWX_SHUTDOWN);
}

void Reboot(SettingsBlock& block, const Params& p) { ConfirmThenExit(block, p, "Reboot computer ?", EWX_REBOOT); }

void PowerOff(SettingsBlock& block, const Params& p) {
    ConfirmThenExit(block, p, "Power down computer ?", EWX_POWEROFF);
}

// Locks through the system entry; where that is missing or refuses, through
// "rundll32.exe"; where that cannot be started, by starting the screen saver.
void LockWorkstation(SettingsBlock&, const Params&) {
    if (LockSession()) return;
    if (Launch("rundll32.exe", "user32.dll,LockWorkStation", SW_SHOWNORMAL) == 0) return;
    PostMessageA(HWND_BROADCAST, WM_SYSCOMMAND, SC_SCREENSAVE, 0);  // a hung window must not hold it up
}

constexpr FunctionEntry kSessionFunctions[] = {
    {48, LogOff}, {49, ShutDown}, {50, Reboot}, {51, LockWorkstation}, {52, PowerOff}, {199, ClearTraces},
};

}  // namespace

std::span<const FunctionEntry> SessionFunctions() { return kSessionFunctions; }

}  // namespace kl::support
