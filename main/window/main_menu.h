// The main menu mmMain with its accelerators, and the tray menu pmSystray.
#pragma once

#include <windows.h>

namespace kl {

struct MainMenus {
    HMENU mmMain = nullptr;
    HMENU pmSystray = nullptr;
    HMENU mnCustom = nullptr;  // the recently used hotkeys, inside pmSystray
    HACCEL accelerators = nullptr;
};

// Builds the menus from the language's captions; the caller owns the handles
// (mmMain goes with the window, the others are freed by DestroyMainMenus).
MainMenus CreateMainMenus();
void DestroyMainMenus(MainMenus& menus);
// Gives the items the captions of the loaded language.
void UpdateMenuTexts(const MainMenus& menus);

}  // namespace kl
