// Hotkeys registered with the window system (simple mode): each registration uses a
// global atom "HotKey<n>" as its identifier, remembered in the "Temp" key so that it
// can be undone.
#pragma once

#include <windows.h>

namespace kl {

void RegisterSystemHotkeys(HWND window);
bool UnregisterSystemHotkeys(HWND window);

}  // namespace kl
