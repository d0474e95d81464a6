// TfrmSkins ("Keyloom Style"): the fonts and colours every window uses. Each item of
// its list opens the system's font or colour dialog (double-click, Enter or Space);
// the change shows at once; OK stores the style, Cancel keeps it in use unstored;
// Reset goes back to the design values.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/dialog_base.h"
#include "ui/style.h"

namespace kl {

namespace skins_dialog {
inline constexpr int lblIntro = 100;
inline constexpr int lbItems = 101;  // lblFont ... lblEditBgColor, in this order
inline constexpr int btnReset = 102;
inline constexpr int btnOK = IDOK;
inline constexpr int btnCancel = IDCANCEL;
enum Item { lblFont, lblFontColor, lblBackground, lblEditFontStyle, lblEditFontColor, lblEditBgColor };
}  // namespace skins_dialog

// Shows the dialog modally: Ok after OK (the style stored), Cancel otherwise.
DialogResult ShowStyleDialog(HWND owner);

class TfrmSkins {
public:
    // Reset: the design style with the first installed of Verdana, MS Sans Serif and
    // Times New Roman; edit font a black copy of it on the system's window colour.
    static Style ResetStyle(const std::function<bool(const std::string&)>& installed = FontInstalled);
    // Called with the dialog once it is shown (tests).
    static std::function<void(HWND)>& OnShow();
};

}  // namespace kl
