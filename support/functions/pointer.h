// The mouse pointer: centring, moves and wheel by the MKSpeed step, clicks
// into the foreground window, and focus from the pointer.
#pragma once

#include "functions/function_table.h"

namespace kl::support {

void CentrePointer(SettingsBlock& block, const Params& params);     // 64
void PointerToFocus(SettingsBlock& block, const Params& params);    // 65
void LeftClick(SettingsBlock& block, const Params& params);         // 66
void RightClick(SettingsBlock& block, const Params& params);        // 67
void MiddleClick(SettingsBlock& block, const Params& params);       // 68
void PointerUp(SettingsBlock& block, const Params& params);         // 69
void PointerDown(SettingsBlock& block, const Params& params);       // 70
void PointerLeft(SettingsBlock& block, const Params& params);       // 71
void PointerRight(SettingsBlock& block, const Params& params);      // 72
void WheelDown(SettingsBlock& block, const Params& params);         // 73
void WheelUp(SettingsBlock& block, const Params& params);           // 74
void FocusUnderPointer(SettingsBlock& block, const Params& params); // 76

}  // namespace kl::support
