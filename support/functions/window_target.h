// Windows as the window functions see them: block handles and the target window.
#pragma once

#include <windows.h>

#include "settings_block.h"

namespace kl::support {

inline HWND AsWindow(Handle32 h) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(h)); }
inline Handle32 AsHandle32(HWND w) { return static_cast<Handle32>(reinterpret_cast<UINT_PTR>(w)); }

// The foreground window's parent if it has one, else the foreground window;
// null when that is not a window.
HWND TargetWindow();

}  // namespace kl::support
