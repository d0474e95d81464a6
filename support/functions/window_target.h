// Windows as the window functions see them: block handles and the target window.
#pragma once

#include <windows.h>

#include "handle_words.h"
#include "settings_block.h"

namespace kl::support {

inline HWND AsWindow(Handle32 h) { return WindowFromWord(h); }
inline Handle32 AsHandle32(HWND w) { return WordFromHandle(w); }

// The foreground window's parent if it has one, else the foreground window;
// null when that is not a window.
HWND TargetWindow();

}  // namespace kl::support
