// The error raised by the last settings load ("too many hotkeys"), kept for
// the caller to read through the GetSettingsError export.
#pragma once

#include <string_view>

namespace kl::support {

void SetSettingsError(std::string_view text);
void ClearSettingsError();
std::string_view SettingsError();

}  // namespace kl::support
