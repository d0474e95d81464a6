// The options that act on the system directly: starting with Windows (the per-user
// "Run" value) and the desktop shortcut "Keyloom.lnk" (MouseKeys: mouse_keys_service.h of kl_shared).
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

}  // namespace kl
