// Typing into another program's window by posting keyboard messages.
#pragma once

#include <windows.h>

namespace kl::support {

// One keystroke: a character (its key is looked up) or a virtual key, with an
// optional modifier key held around it (VK_SHIFT, VK_CONTROL or VK_MENU).
struct Keystroke {
    char character = 0;
    BYTE key = 0;
    BYTE modifier = 0;
};

// Posts key-down (with its character message) and key-up of the modifier
// around those of the key. Nothing happens for a window that does not exist.
void PostKeystroke(HWND window, const Keystroke& keystroke);

}  // namespace kl::support
