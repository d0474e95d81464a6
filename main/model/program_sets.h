// Executable names as the settings hold them ("Programs" of a hotkey and the
// option "OffInPrograms": names separated by ";") and as the program filter
// stores them. Win32-free, built natively with the other parsers of outside input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kl {

// The names of a ";"-separated list, in order and each once: blanks and enclosing
// quotes trimmed, the file part of a path, folded as the hook folds its own name.
// Pieces that name no file (empty, longer than 255 characters) are left out.
std::vector<std::string> ProgramNames(std::string_view list);

// The names as a program set of the filter: each a length byte and its
// characters, back to back. Every name must be 1 to 255 characters long.
std::string PackProgramSet(const std::vector<std::string>& names);

}  // namespace kl
