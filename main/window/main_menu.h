// The main menu mmMain with its accelerators, and the tray menu pmSystray.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl {

struct MainMenus {
    HMENU mmMain = nullptr;
    HMENU pmSystray = nullptr;
    HMENU mnCustom = nullptr;  // the recently used hotkeys, inside pmSystray
    HMENU mnNew = nullptr, mnSettings = nullptr, mnProfiles = nullptr;  // File > New, File > Settings, Profiles
    HMENU mnHelp = nullptr;  // the Help menu
    // Inside pmSystray: the Functions list, the profiles, the stopwatch and the macros.
    HMENU mnFunctions = nullptr, mnTrayProfiles = nullptr, mnTimer = nullptr, mnMacros = nullptr;
    HMENU pmHotkeys = nullptr;  // the hotkey list's pop-up menu (Sort by)
    HACCEL accelerators = nullptr;
};

// Builds the menus from the language's captions; the caller owns the handles
// (mmMain goes with the window, the others are freed by DestroyMainMenus).
MainMenus CreateMainMenus();
void DestroyMainMenus(MainMenus& menus);
// Gives the items the captions of the loaded language.
void UpdateMenuTexts(const MainMenus& menus);

// The items of profiles and keyboard setup (option_menus.cpp): File > New and
// File > Settings, and the Profiles menu, with their accelerators.
void AddOptionMenus(MainMenus& menus, std::vector<ACCEL>& accelerators);
void UpdateOptionMenuTexts(const MainMenus& menus);
// The Help menu, the tray menu's submenus and the hotkey list's menu (list_menus.cpp).
void AddListMenus(MainMenus& menus, std::vector<ACCEL>& accelerators);
void UpdateListMenuTexts(const MainMenus& menus);
// The main menu's Macros menu and the exchange, report and style items of File >
// Settings (exchange_menus.cpp).
void AddExchangeMenus(MainMenus& menus, std::vector<ACCEL>& accelerators);
void UpdateExchangeMenuTexts(const MainMenus& menus);
// The tray menu's stopwatch items for the stopwatch's state (0 not started, 1 running,
// 2 paused, 3 stopped).
void FillTimerMenu(const MainMenus& menus, int state);
// Gives the submenu `popup` of `parent` a new caption.
void RenameSubmenu(HMENU parent, HMENU popup, const std::string& caption);

// Fills the Profiles menu: the first five profiles when there is more than the default
// one, a separator, and the item that opens the profiles dialog.
void FillProfileMenu(const MainMenus& menus, const std::vector<std::string>& profiles);

}  // namespace kl
