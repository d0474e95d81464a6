// The language lines of hotkeys for chosen programs and of combinations taken by
// other programs (english.lan, deutsch.lan).
#pragma once

namespace kl {

// "This combination is in use by another program"
inline constexpr int kLineCombinationInUse = 486;
// The report's mark of a hotkey limited to programs: "only in", "except in"
inline constexpr int kLineReportOnlyIn = 487;
inline constexpr int kLineReportExceptIn = 488;

}  // namespace kl
