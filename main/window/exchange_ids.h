// Command identifiers of the File > Settings items for the exchange file, the report
// and the style. The macro commands share their identifiers (control_ids.h) between
// the main menu's Macros menu and the tray menu's Macros submenu.
#pragma once

namespace kl::ids {

inline constexpr int mnImportSettings = 2130;  // Shift+F8
inline constexpr int mnExportSettings = 2131;  // Ctrl+F8
inline constexpr int mnPrintSettings = 2132;   // F8
inline constexpr int mmStyle = 2133;           // F12

}  // namespace kl::ids
