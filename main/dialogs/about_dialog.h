// The About dialog: the program's name, version, the architecture of this build and
// where it is installed.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

namespace about_dialog {
inline constexpr int lblVersion = 101;
inline constexpr int lblBuild = 102;
}  // namespace about_dialog

// "x64 (64-bit Windows)" or "x86 (32-bit Windows)": the build this program is.
std::string BuildArchitecture();

void ShowAboutDialog(HWND owner);

}  // namespace kl
