#include "functions/mouse_keys.h"

#include <windows.h>

#include "text255.h"

namespace kl::support {

void SetMouseKeys(SettingsBlock& block, bool on) {
    block.MouseKeysEnabled = on ? kTrue : kFalse;
    MOUSEKEYS keys{};
    keys.cbSize = sizeof keys;
    if (!SystemParametersInfoA(SPI_GETMOUSEKEYS, sizeof keys, &keys, 0)) {
        block.LastStatus = kStatusMouseKeysUnavailable;
        SetText255(block.StatusText, "  MouseKeys settings cannot be retrieved");
        return;
    }
    if (!(keys.dwFlags & MKF_AVAILABLE)) {
        block.LastStatus = kStatusMouseKeysUnavailable;
        SetText255(block.StatusText, "MouseKeys not available");
        return;
    }
    DWORD flags = MKF_AVAILABLE | MKF_CONFIRMHOTKEY | MKF_HOTKEYSOUND | MKF_INDICATOR | MKF_MODIFIERS;
    if (block.MKNumlockON) flags |= MKF_REPLACENUMBERS;
    if (on) flags |= MKF_MOUSEKEYSON;
    keys.dwFlags = flags;
    SystemParametersInfoA(SPI_SETMOUSEKEYS, sizeof keys, &keys, 0);
}

void ToggleMouseKeys(SettingsBlock& block, const Params&) { SetMouseKeys(block, !block.MouseKeysEnabled); }
void MouseKeysOn(SettingsBlock& block, const Params&) { SetMouseKeys(block, true); }
void MouseKeysOff(SettingsBlock& block, const Params&) { SetMouseKeys(block, false); }

}  // namespace kl::support
