// Window bookmarks by name, kept in the registry's "Temp" key for the session.
#pragma once

#include "functions/function_table.h"

namespace kl::support {

void SetBookmark(SettingsBlock& block, const Params& params);   // 80
void GoToBookmark(SettingsBlock& block, const Params& params);  // 81

}  // namespace kl::support
