// Control and command identifiers of the main window.
#pragma once

namespace kl::ids {

// Controls.
inline constexpr int pgSettings = 1000;
inline constexpr int tabHotkeys = 1001;  // the five pages follow in order
inline constexpr int btnAdd = 1010;
inline constexpr int btnRemove = 1011;
inline constexpr int btnModify = 1012;
inline constexpr int btnHide = 2;  // IDCANCEL: Escape hides the window
inline constexpr int btnState = 1014;
inline constexpr int btnExit = 1015;
inline constexpr int sbMain = 1020;

// Menu commands.
inline constexpr int mnExit2 = 2001;
inline constexpr int mnNewHotkey = 2050;  // File > New > Hotkey (F5)
inline constexpr int mnOpen = 2101;
inline constexpr int mnExit = 2102;
inline constexpr int mnCustomFirst = 2200;  // the recently used hotkeys follow in order
inline constexpr int mnCustomLast = 2299;
inline constexpr int mnEditLastHotkey = 2103;
inline constexpr int mnFunctionFirst = 3000;  // the Functions list: this plus the function ID
inline constexpr int mnFunctionLast = 3279;

// Menu commands of profiles and keyboard setup.
inline constexpr int mnProfileFirst = 2401;  // mnProfile1 ... mnProfile5
inline constexpr int mnProfileLast = 2405;
inline constexpr int mnEditProfiles = 2406;
inline constexpr int mnNewProfile = 2407;
inline constexpr int mnKbdSetup = 2408;

// The lists, the tray menu's submenus and the Help menu.
inline constexpr int sgHotkeys = 1030;
inline constexpr int lbAliases = 1031;
inline constexpr int mnNewAlias = 2051;      // File > New > Alias (F6)
inline constexpr int mnSortByFirst = 2060;   // pmHotkeys: Sort by column 1 ... 5 (tags 1 to 5)
inline constexpr int mnSortByLast = 2064;
inline constexpr int mnHelpContents = 2070;  // F2: the manual in the data folder
inline constexpr int mnHelpIndex = 2071;     // F3: the manual on the web
inline constexpr int mnHomePage = 2072;      // Shift+F4
inline constexpr int mnProductPage = 2073;   // F4
inline constexpr int mnEmailUs = 2074;
inline constexpr int mnAbout = 2075;         // F11
inline constexpr int mnTimerClear = 2110;
inline constexpr int mnTimerStatus = 2111;
inline constexpr int mnTimerStart = 2112;
inline constexpr int mnTimerStop = 2113;
inline constexpr int mnTimerPause = 2114;
inline constexpr int mnTimerResume = 2115;
inline constexpr int mnLoadMacro = 2120;
inline constexpr int mnSaveMacro = 2121;
inline constexpr int mnConvertMacro = 2122;

// Timer.
inline constexpr int tmMain = 1;
inline constexpr int tmSaveOptions = 2;  // writes changed options to the registry

// Private messages: run the notifications that waited for a library call to return.
inline constexpr unsigned kRunDeferred = 0x8000 + 1;  // WM_APP + 1
// What the start-up leaves until the message loop runs.
inline constexpr unsigned kCompleteStartup = 0x8000 + 2;

}  // namespace kl::ids
