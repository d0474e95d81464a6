// Rolling a top-level window up to its caption, and down again, on a double
// click of its non-client area. Rolled-up windows and their full heights are
// kept in the block's 26-slot table, which the roll-up function shares.
#pragma once

#include "platform.h"

namespace kl::hook {

void CaptionDoubleClick(SettingsBlock& b, const Platform& p, HWND window);

}  // namespace kl::hook
