// Small user actions that hand their work on to klsupport: repeating the recorded
// macro and showing the stopwatch; and bringing a window to the front.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "settings_block.h"

namespace kl {

// The repeat count for an answer to the repeat question: 0 when the macro is not to be
// played (no number, zero or negative); a count above 100 plays 500 times.
int RepeatCountFromAnswer(std::string_view answer);
bool RepeatMacro();

// The stopwatch report for the block's stopwatch fields; `nowTicks` and `nowTime`
// (days since 30 Dec 1899) stand for the running clock.
std::string StopwatchReport(const SettingsBlock& b, std::uint32_t nowTicks, double nowTime);
void ShowTimerStatus();
// The local time as days since 30 Dec 1899, the form of the block's stopwatch times.
double CurrentDateTime();

BOOL BringWindowToFront(HWND window);

}  // namespace kl
