// The launching group's larger functions, each in its own module.
#pragma once

#include "params.h"
#include "settings_block.h"

namespace kl::support {

void RunAutorun(SettingsBlock& block, const Params& params);               // 20
void OpenNewestRecentDocument(SettingsBlock& block, const Params& params); // 22
void DialUp(SettingsBlock& block, const Params& params);                   // 115
void HangUp(SettingsBlock& block, const Params& params);                   // 116

}  // namespace kl::support
