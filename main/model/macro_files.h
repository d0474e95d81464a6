// The block's macro saved to and loaded from a macro file.
#pragma once

#include <string>

#include "model/macro_file.h"
#include "settings_block.h"

namespace kl {

// Writes the macro's name, count and events into the file, keeping whatever else
// the file holds. Empty on success, otherwise what went wrong.
std::string SaveMacroFile(const std::string& path, const SettingsBlock& block);

// Reads a macro file into the block. Refused (the macro of the block untouched) for
// a file that cannot be read or is not a whole macro, and while a macro is being
// recorded or played. Empty on success, otherwise the reason.
std::string LoadMacroFile(const std::string& path, SettingsBlock& block);

// The macro of the block: its name and its first MacroLength events (0 to 1025).
MacroFile MacroOf(const SettingsBlock& block);

}  // namespace kl
