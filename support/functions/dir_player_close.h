// Closing the program that plays a DirPlay file.
#pragma once

#include <string_view>

namespace kl::support::dirplay {

// Posts the close message to a visible window of the program associated with
// `file`. Internet shortcuts stand for the web browser, other shortcuts for
// their targets. Does nothing when no program or window is found.
void ClosePlayerOf(std::string_view file);

}  // namespace kl::support::dirplay
