// The program picker: the running programs (the executables of the visible windows)
// in a list of which any number may be chosen, and Browse... for a program file.
// The editor's programs row and the Options page's "OffInPrograms" field use it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl {

namespace select_programs_ids {
inline constexpr int lblRunning = 300;
inline constexpr int lbPrograms = 301;
inline constexpr int btnBrowse = 302;
inline constexpr int btnOK = IDOK;
inline constexpr int btnCancel = IDCANCEL;
}  // namespace select_programs_ids

// Shows the picker modally over `owner`; the names chosen (each a file name such as
// "notepad.exe"), empty when the user cancelled or chose none.
std::vector<std::string> ShowSelectProgramsDialog(HWND owner);

// `list` with the names the user picks added (AddProgramNames); `list` itself when
// none were picked.
std::string PickProgramsInto(HWND owner, const std::string& list);

}  // namespace kl
