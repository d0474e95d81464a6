// The main window's file dialogs dlgSave and dlgOpen: default extension "ini",
// filter "Configuration settings|*.ini|All files (*.*)|*.*".
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kl {

// dlgOpen: an existing file. Nothing when the user cancels.
std::optional<std::string> AskOpenFile(HWND owner);
// dlgSave: a file in an existing folder; an existing file is written into.
std::optional<std::string> AskSaveFile(HWND owner);

}  // namespace kl
