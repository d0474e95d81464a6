#include "mouse_keys_service.h"

#include <windows.h>

#include "text255.h"

namespace kl {

bool SetMouseKeys(SettingsBlock& block, bool on) {
    block.MouseKeysEnabled = on ? kTrue : kFalse;
    MOUSEKEYS keys{};
    keys.cbSize = sizeof keys;
    if (!SystemParametersInfoA(SPI_GETMOUSEKEYS, sizeof keys, &keys, 0)) {
        block.LastStatus = kStatusMouseKeysUnavailable;
        SetText255(block.StatusText, "  MouseKeys settings cannot be retrieved");
        return false;
    }
    if (!(keys.dwFlags & MKF_AVAILABLE)) {
        block.LastStatus = kStatusMouseKeysUnavailable;
        SetText255(block.StatusText, "MouseKeys not available");
        return false;
    }
    DWORD flags = MKF_AVAILABLE | MKF_CONFIRMHOTKEY | MKF_HOTKEYSOUND | MKF_INDICATOR | MKF_MODIFIERS;
    if (block.MKNumlockON) flags |= MKF_REPLACENUMBERS;
    if (on) flags |= MKF_MOUSEKEYSON;
    keys.dwFlags = flags;
    return SystemParametersInfoA(SPI_SETMOUSEKEYS, sizeof keys, &keys, 0) != FALSE;
}

}  // namespace kl
