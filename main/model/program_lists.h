// What the program controls do with lists of executable names: the picker's list of
// running programs, adding picked names to a field, and the hotkey list's cell.
// Win32-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue.h"
#include "model/hotkey_programs.h"

namespace kl {

// The executables of `paths` (full paths or file names) as the picker offers them:
// the file part, folded as names are compared, each once, sorted. Paths that name no
// file, or a file whose name could not stand in a list (a ";"), are left out.
std::vector<std::string> DistinctProgramNames(const std::vector<std::string>& paths);

// `list` with each of `names` that it does not already hold (compared as the hooks
// compare them) appended, separated by ";". The names already there keep their
// spelling and order.
std::string AddProgramNames(std::string_view list, const std::vector<std::string>& names);

// The hotkey list's "Programs" cell: "only: a.exe; b.exe", "except: c.exe", or
// empty for a hotkey that acts everywhere.
std::string ProgramsCell(const HotkeyPrograms& programs, const LanguageText& text);

}  // namespace kl
