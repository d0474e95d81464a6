#include "dialogs/alias_dialog.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "ui/style.h"
#include "system/app_paths.h"
#include "ui/dialog_template.h"
#include "ui/help_pages.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "ui/app_identity.h"
#include "com_apartment.h"

namespace kl {
namespace {

using namespace alias_dialog;

constexpr char kRefusedText[] =
    "Windows did not allow the alias to be registered for all users of this computer (that needs "
    "administrator rights).\r\n\r\nRegister it for your own user account instead?";

struct State {
    std::string alias, program;
    HWND dlg = nullptr;
};

std::string ItemText(HWND dlg, int id) {
    const int n = GetWindowTextLengthA(GetDlgItem(dlg, id));
    std::vector<char> text(static_cast<std::size_t>(n) + 1, '\0');
    GetDlgItemTextA(dlg, id, text.data(), n + 1);
    return text.data();
}

void Error(HWND dlg, const std::string& text) { MessageBoxA(dlg, text.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION); }

void btnOKClick(State& s) {
    const std::string alias = ItemText(s.dlg, ebAlias), program = ItemText(s.dlg, ebAliasText);
    if (Trim(alias).empty() || Trim(program).empty()) {
        Error(s.dlg, UiText(160, "Please enter both the alias and the program."));
        return;
    }
    if (const AliasNameProblem problem = CheckAliasName(alias); problem != AliasNameProblem::None) {
        Error(s.dlg, AliasNameMessage(problem));
        SetFocus(GetDlgItem(s.dlg, ebAlias));
        return;
    }
    // An alias of the user's own key is changed there: written per machine it would stay
    // hidden behind the user's entry.
    if (AliasIsPerUser(alias)) {
        if (WriteAlias(AliasScope::User, alias, program) != AliasWrite::Written) {
            Error(s.dlg, "The alias could not be registered.");
            return;
        }
        EndDialog(s.dlg, 1);
        return;
    }
    AliasWrite written = WriteAlias(AliasScope::Machine, alias, program);
    if (written == AliasWrite::Refused) {
        if (MessageBoxA(s.dlg, kRefusedText, MessageCaption().c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
        written = WriteAlias(AliasScope::User, alias, program);
    }
    if (written != AliasWrite::Written) {
        Error(s.dlg, "The alias could not be registered.");
        return;
    }
    EndDialog(s.dlg, 1);
}

void btnBrowseClick(State& s) {
    const std::string current = ItemText(s.dlg, ebAliasText);
    std::string filter = UiText(156, "Programs|*.exe|All files (*.*)|*.*");
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter += '\0';
    const std::string title = UiText(157, "Browse");
    char file[MAX_PATH] = {};
    std::string folder;
    if (!Trim(current).empty()) {
        const std::string path = ExpandEnvironmentText(std::string(Trim(current)));
        const std::size_t slash = path.find_last_of("\\/");
        folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
        lstrcpynA(file, path.substr(slash == std::string::npos ? 0 : slash + 1).c_str(), MAX_PATH);
    }
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = s.dlg;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = "exe";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    EnsureComApartment();
    if (!GetOpenFileNameA(&ofn)) return;
    const std::string picked = file;
    SetDlgItemTextA(s.dlg, ebAlias, picked.substr(ofn.nFileOffset).c_str());
    SetDlgItemTextA(s.dlg, ebAliasText, picked.c_str());
}

void UpdateLanguage(HWND dlg) {
    SetWindowTextA(dlg, UiText(145, "Alias setup").c_str());
    SetDlgItemTextA(dlg, lblAliasDescription, UiText(148, "Enter the alias (or nickname) for the program.").c_str());
    SetDlgItemTextA(dlg, lblAliasName, UiText(149, "Alias:").c_str());
    SetDlgItemTextA(dlg, lblAppDescription, UiText(150, "Choose the program to start when the alias is run.").c_str());
    SetDlgItemTextA(dlg, lblApplication, UiText(151, "Program:").c_str());
    SetDlgItemTextA(dlg, btnBrowse, UiText(22, "&Browse...").c_str());
    SetDlgItemTextA(dlg, btnOK, UiText(11, "&OK").c_str());
    SetDlgItemTextA(dlg, btnCancel, UiText(12, "&Cancel").c_str());
}

INT_PTR CALLBACK AliasProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* s = reinterpret_cast<State*>(GetWindowLongPtrA(dlg, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        s = reinterpret_cast<State*>(lp);
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        s->dlg = dlg;
        SetWindowContextHelpId(dlg, help::kAliases);
        UpdateLanguage(dlg);
        ApplyStyleToForm(dlg);
        SendDlgItemMessageA(dlg, ebAlias, EM_LIMITTEXT, kMaxAliasName, 0);
        SendDlgItemMessageA(dlg, ebAliasText, EM_LIMITTEXT, 4095, 0);
        SetDlgItemTextA(dlg, ebAlias, s->alias.c_str());
        SetDlgItemTextA(dlg, ebAliasText, s->program.c_str());
        SetFocus(GetDlgItem(dlg, ebAlias));
        return FALSE;
    }
    if (!s || msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return FALSE;
    switch (LOWORD(wp)) {
    case btnOK: btnOKClick(*s); return TRUE;
    case btnCancel: EndDialog(dlg, 2); return TRUE;
    case btnBrowse: btnBrowseClick(*s); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int ShowAliasDialog(HWND owner, const std::string& alias, const std::string& program) {
    DialogTemplate t("Alias setup", 260, 118);
    t.Item(SS_LEFT, 7, 7, 246, 10, lblAliasDescription, kStaticClass, "");
    t.Item(SS_LEFT, 7, 23, 46, 10, lblAliasName, kStaticClass, "");
    t.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 56, 21, 197, 13, ebAlias, kEditClass, "");
    t.Item(SS_LEFT, 7, 45, 246, 10, lblAppDescription, kStaticClass, "");
    t.Item(SS_LEFT, 7, 61, 46, 10, lblApplication, kStaticClass, "");
    t.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 56, 59, 145, 13, ebAliasText, kEditClass, "");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 205, 58, 48, 14, btnBrowse, kButtonClass, "");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 149, 97, 50, 14, btnOK, kButtonClass, "");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 203, 97, 50, 14, btnCancel, kButtonClass, "");
    State state{alias, program, nullptr};
    const INT_PTR r = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, AliasProc,
                                              reinterpret_cast<LPARAM>(&state));
    return r == 1 ? 1 : 2;
}

}  // namespace kl
