#include "dialogs/about_dialog.h"

#include <string>

#include "ui/dialog_template.h"
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

INT_PTR CALLBACK AboutProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) {
        SetWindowContextHelpId(dlg, help::kAbout);
        SetWindowTextA(dlg, UiText(132, "About Keyloom").c_str());
        SetDlgItemTextA(dlg, lblName, UiText(133, "Keyloom").c_str());
        SetDlgItemTextA(dlg, lblVersion, UiText(134, "Version 1.06").c_str());
        SetDlgItemTextA(dlg, lblBuild, ("Build: " + BuildArchitecture()).c_str());
        SetDlgItemTextA(dlg, lblDescription, UiText(135, "A keyboard utility for Windows").c_str());
        SetDlgItemTextA(dlg, lblCopyright, UiText(136, "Copyright (c) Corvane").c_str());
        SetDlgItemTextA(dlg, lblRights, UiText(137, "All rights reserved.").c_str());
        SetDlgItemTextA(dlg, lblProgram, ProgramFileText(UiText(139, "Program file: <progname>")).c_str());
        SetDlgItemTextA(dlg, lblThanks, UiText(142, "Thank you for using Keyloom.").c_str());
        SetDlgItemTextA(dlg, IDOK, UiText(143, "&OK").c_str());
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(dlg, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::string BuildArchitecture() {
    return sizeof(void*) == 8 ? "x64 (64-bit Windows)" : "x86 (32-bit Windows)";
}

void ShowAboutDialog(HWND owner) {
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
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, AboutProc, 0);
}

}  // namespace kl
