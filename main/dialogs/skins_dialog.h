// TfrmSkins ("Keyloom Style"): the fonts and colours every window uses. Each item of
// its list opens the system's font or colour dialog (double-click, Enter or Space);
// the change shows at once; OK stores the style, Cancel keeps it in use unstored;
// Reset goes back to the design values.
#pragma once

#include <windows.h>

#include <functional>

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

class TfrmSkins {
public:
    // Shows the dialog modally: 1 after OK (the style stored), 2 otherwise.
    static int ShowModal(HWND owner);
    // Reset: the design style with the first installed of Verdana, MS Sans Serif and
    // Times New Roman; edit font a black copy of it on the system's window colour.
    static Style ResetStyle(const std::function<bool(const std::string&)>& installed = FontInstalled);
    // Called with the dialog once it is shown (tests).
    static std::function<void(HWND)>& OnShow();
};

}  // namespace kl
