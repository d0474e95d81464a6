// Bringing a window to the front.
#pragma once

#include <windows.h>

namespace kl::support {

// Restores the window when needed, brings it to the top and makes it the
// foreground window. Does nothing when `window` is not a window.
void Activate(HWND window);

}  // namespace kl::support
