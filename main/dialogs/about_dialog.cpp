#include "dialogs/about_dialog.h"

#include <string>

#include "ui/dialog_base.h"
#include "ui/help_pages.h"
#include "model/ui_language.h"

namespace kl {
namespace {

using namespace about_dialog;

constexpr int lblName = 100;
constexpr int lblDescription = 103;
constexpr int lblCopyright = 104;
constexpr int lblRights = 105;
constexpr int lblProgram = 106;
constexpr int lblThanks = 107;

// The language's text with "<progname>" replaced by this program's file.
std::string ProgramFileText(std::string text) {
    char file[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, file, MAX_PATH);
    const std::string program = n > 0 && n < MAX_PATH ? std::string(file, n) : std::string("keyloom.exe");
    constexpr char kPlaceholder[] = "<progname>";
    if (const std::size_t at = text.find(kPlaceholder); at != std::string::npos)
        text.replace(at, sizeof kPlaceholder - 1, program);
    return text;
}

// Language texts of the About dialog.
constexpr int kTextCaption = 132, kTextName = 133, kTextVersion = 134, kTextDescription = 135, kTextCopyright = 136,
              kTextRights = 137, kTextProgram = 139, kTextThanks = 142, kTextOk = 143, kTextBuild = 513;

class AboutDialog : public DialogBase {
protected:
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("About Keyloom", 230, 140);
        t.Item(SS_LEFT, 10, 8, 210, 10, lblName, kStaticClass, "");
        t.Item(SS_LEFT, 10, 20, 210, 10, lblVersion, kStaticClass, "");
        t.Item(SS_LEFT, 10, 32, 210, 10, lblBuild, kStaticClass, "");
        t.Item(SS_LEFT, 10, 46, 210, 10, lblDescription, kStaticClass, "");
        t.Item(SS_LEFT, 10, 60, 210, 10, lblCopyright, kStaticClass, "");
        t.Item(SS_LEFT, 10, 72, 210, 10, lblRights, kStaticClass, "");
        t.Item(SS_LEFT | SS_PATHELLIPSIS, 10, 86, 210, 10, lblProgram, kStaticClass, "");
        t.Item(SS_LEFT, 10, 100, 210, 10, lblThanks, kStaticClass, "");
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 170, 119, 50, 14, IDOK, kButtonClass, "");
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM) override {
        if (msg == WM_INITDIALOG) {
            SetWindowContextHelpId(dlg_, help::kAbout);
            SetWindowTextA(dlg_, UiText(kTextCaption, "About Keyloom").c_str());
            SetDlgItemTextA(dlg_, lblName, UiText(kTextName, "Keyloom").c_str());
            SetDlgItemTextA(dlg_, lblVersion, UiText(kTextVersion, "Version 1.06").c_str());
            SetDlgItemTextA(dlg_, lblBuild, (UiText(kTextBuild, "Build:") + " " + BuildArchitecture()).c_str());
            SetDlgItemTextA(dlg_, lblDescription, UiText(kTextDescription, "A keyboard utility for Windows").c_str());
            SetDlgItemTextA(dlg_, lblCopyright, UiText(kTextCopyright, "Copyright (c) Corvane").c_str());
            SetDlgItemTextA(dlg_, lblRights, UiText(kTextRights, "All rights reserved.").c_str());
            SetDlgItemTextA(dlg_, lblProgram, ProgramFileText(UiText(kTextProgram, "Program file: <progname>")).c_str());
            SetDlgItemTextA(dlg_, lblThanks, UiText(kTextThanks, "Thank you for using Keyloom.").c_str());
            SetDlgItemTextA(dlg_, IDOK, UiText(kTextOk, "&OK").c_str());
            return TRUE;
        }
        if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
            End(DialogResult::Ok);
            return TRUE;
        }
        return FALSE;
    }
};

}  // namespace

std::string BuildArchitecture() {
    return sizeof(void*) == 8 ? "x64 (64-bit Windows)" : "x86 (32-bit Windows)";
}

void ShowAboutDialog(HWND owner) {
    AboutDialog dialog;
    dialog.ShowModal(owner);
}

}  // namespace kl
