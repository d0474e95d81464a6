// Date and time patterns: c, d..dddddd, m..mmmm (minutes after h), yy, yyyy,
// h, hh, n, nn, s, ss, z, zzz, t, tt, am/pm, a/p, ampm, "/" and ":" as the
// locale's separators, quoted text copied; other characters copied.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kl::support {

std::string FormatDateTime(std::string_view pattern, const SYSTEMTIME& time);

}  // namespace kl::support
