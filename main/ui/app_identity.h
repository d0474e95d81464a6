// Who the program is to the user and to other programs: its name, the main window's
// title and class (by which a second start, the installer and the tests find it) and
// the caption of its message boxes.
#pragma once

#include <string>

#include "version.h"

namespace kl {

inline constexpr char kApplicationName[] = "Keyloom";
inline constexpr char kApplicationTitle[] = "Keyloom v" KL_VERSION_TEXT;
inline constexpr char kMainWindowClass[] = "TfrmMain";
inline constexpr char kInstanceMutexName[] = "KeyloomSingleInstance";

// The caption of the program's notices and errors: language text 5, the program's name.
std::string MessageCaption();

}  // namespace kl
