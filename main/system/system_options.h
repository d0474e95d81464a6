// The options that act on the system directly: starting with Windows (the per-user
// "Run" value), the desktop shortcut "Keyloom.lnk" and the system's MouseKeys feature.
#pragma once

#include <string>

#include "settings_block.h"

namespace kl {

// Under HKEY_CURRENT_USER.
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Keyloom";
inline constexpr char kShortcutFileName[] = "Keyloom.lnk";

// The program as a command line: its full path, quoted when it holds a blank.
std::string RunCommandLine(const std::string& programPath);

// Off deletes the value `name`; on writes it when it is missing (an existing entry is
// never rewritten). True when the last registry call succeeded.
bool SetRunAtStartup(const std::string& name, const std::string& commandLine, bool on);

// The user's desktop folder with a trailing backslash; empty when unknown.
std::string DesktopFolder();

// On creates "Keyloom.lnk" on the desktop pointing to `target` (working directory
// `workingDir`, the target's own icon) unless it exists; off deletes it. True when the
// shortcut is now as asked.
bool SetDesktopShortcut(bool on, const std::string& target, const std::string& workingDir);

// Switches the system's MouseKeys feature and stores `on` in MouseKeysEnabled. When the
// system does not offer it, LastStatus becomes 1 with a status text; result false.
bool SetMouseKeys(SettingsBlock& block, bool on);

}  // namespace kl
