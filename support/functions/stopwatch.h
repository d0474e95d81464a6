// The stopwatch fields of the block: reset, start, stop, pause and resume.
#pragma once

#include "functions/function_table.h"

namespace kl::support {

void StopwatchReset(SettingsBlock& block, const Params& params);   // 224
void StopwatchStart(SettingsBlock& block, const Params& params);   // 225
void StopwatchStop(SettingsBlock& block, const Params& params);    // 226
void StopwatchPause(SettingsBlock& block, const Params& params);   // 227
void StopwatchResume(SettingsBlock& block, const Params& params);  // 228

}  // namespace kl::support
