// Rolling a top-level window up to its caption and down again, on the
// rolled-up windows table of the block (shared with the caption double-click
// of the get-message hook in other processes).
#pragma once

#include <windows.h>

#include "functions/function_table.h"

namespace kl::support {

// Rolls w up when it is open and down when it is rolled up. Does nothing for
// a null or child window or while CaptureMenuDblClicks is off.
void ShowHideClientArea(SettingsBlock& block, HWND w);

void RollForegroundWindow(SettingsBlock& block, const Params& params);  // 38

}  // namespace kl::support
