// TfrmAliases: enters a new alias or changes one (its name and the program it starts).
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog_base.h"

namespace kl {

namespace alias_dialog {
inline constexpr int lblAliasDescription = 100;
inline constexpr int lblAliasName = 101;
inline constexpr int ebAlias = 102;
inline constexpr int lblAppDescription = 103;
inline constexpr int lblApplication = 104;
inline constexpr int ebAliasText = 105;
inline constexpr int btnBrowse = 106;
inline constexpr int btnOK = IDOK;
inline constexpr int btnCancel = IDCANCEL;
}  // namespace alias_dialog

// Shows the dialog modally with these texts in its two fields; Ok when an alias was
// written (per machine, or per user when the user accepted that), Cancel otherwise.
DialogResult ShowAliasDialog(HWND owner, const std::string& alias, const std::string& program);

}  // namespace kl
