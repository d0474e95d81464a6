// Hotkeys registered with the window system (simple mode): each registration uses a
// global atom "HotKey<n>" as its identifier, remembered in the "Temp" key so that it
// can be undone. A combination is registered once, however many hotkeys it has; one
// that another program holds is noted (hotkey_conflicts.h), and in hook mode each
// combination of the table is probed for that instead.
#pragma once

#include <windows.h>

namespace kl {

void RegisterSystemHotkeys(HWND window);
bool UnregisterSystemHotkeys(HWND window);

// This process's registration of the combination: its window and identifier (0
// when it has none).
struct RegistrationOf {
    HWND window = nullptr;
    int atom = 0;
};
RegistrationOf OwnRegistrationOf(UINT modifiers, UINT key);

}  // namespace kl
