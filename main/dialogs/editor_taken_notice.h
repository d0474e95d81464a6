// The editor's notice of a combination that another program holds with
// RegisterHotKey: the user decides, the hotkey is never refused for it. In simple
// mode the hotkey would not work while the other program holds the combination, so
// the editor asks; in hook mode Keyloom's hook sees the keys first, so it only warns.
#pragma once

#include <windows.h>

namespace kl {

// Whether the editor goes on storing: false only when the user answered No.
// `keyCode` and `modifier` are the editor's (modifier set 1 Alt, 2 Ctrl, 4 Shift,
// 8 Windows).
bool AcceptTakenCombination(HWND dlg, int keyCode, int modifier, bool simpleMode);

}  // namespace kl
