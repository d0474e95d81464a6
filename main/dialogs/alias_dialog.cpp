#include "dialogs/alias_dialog.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "ui/style.h"
#include "system/app_paths.h"
#include "ui/dialog_base.h"
#include "ui/help_pages.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "ui/app_identity.h"
#include "com_apartment.h"

namespace kl {
namespace {

using namespace alias_dialog;


// Language texts of the alias dialog.
constexpr int kTextCaption = 145, kTextAliasDescription = 148, kTextAliasName = 149, kTextAppDescription = 150,
              kTextApplication = 151, kTextBrowse = 22, kTextOk = 11, kTextCancel = 12, kTextFilter = 156,
              kTextBrowseTitle = 157, kTextBothNeeded = 160, kTextErrorCaption = 509, kTextNotRegistered = 510,
              kTextMachineRefused = 511, kTextPerUserQuestion = 512;

// The question asked when the alias could not be registered for every user.
std::string RefusedText() {
    return UiText(kTextMachineRefused,
                  "Windows did not allow the alias to be registered for all users of this computer (that needs "
                  "administrator rights).") +
           "\r\n\r\n" + UiText(kTextPerUserQuestion, "Register it for your own user account instead?");
}

std::string ItemText(HWND dlg, int id) {
    const int n = GetWindowTextLengthA(GetDlgItem(dlg, id));
    std::vector<char> text(static_cast<std::size_t>(n) + 1, '\0');
    GetDlgItemTextA(dlg, id, text.data(), n + 1);
    return text.data();
}

void Error(HWND dlg, const std::string& text) {
    MessageBoxA(dlg, text.c_str(), UiText(kTextErrorCaption, "Error").c_str(), MB_OK | MB_ICONEXCLAMATION);
}

class AliasDialog : public DialogBase {
public:
    AliasDialog(std::string alias, std::string program) : alias_(std::move(alias)), program_(std::move(program)) {}

protected:
    DialogTemplate BuildTemplate() override {
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
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM) override {
        if (msg == WM_INITDIALOG) {
            SetWindowContextHelpId(dlg_, help::kAliases);
            UpdateLanguage();
            ApplyStyleToForm(dlg_);
            SendDlgItemMessageA(dlg_, ebAlias, EM_LIMITTEXT, kMaxAliasName, 0);
            SendDlgItemMessageA(dlg_, ebAliasText, EM_LIMITTEXT, 4095, 0);
            SetDlgItemTextA(dlg_, ebAlias, alias_.c_str());
            SetDlgItemTextA(dlg_, ebAliasText, program_.c_str());
            SetFocus(Item(ebAlias));
            return FALSE;
        }
        if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return FALSE;
        switch (LOWORD(wp)) {
        case btnOK: btnOKClick(); return TRUE;
        case btnCancel: End(DialogResult::Cancel); return TRUE;
        case btnBrowse: btnBrowseClick(); return TRUE;
        default: return FALSE;
        }
    }

private:
    void UpdateLanguage() {
        SetWindowTextA(dlg_, UiText(kTextCaption, "Alias setup").c_str());
        SetDlgItemTextA(dlg_, lblAliasDescription,
                        UiText(kTextAliasDescription, "Enter the alias (or nickname) for the program.").c_str());
        SetDlgItemTextA(dlg_, lblAliasName, UiText(kTextAliasName, "Alias:").c_str());
        SetDlgItemTextA(dlg_, lblAppDescription,
                        UiText(kTextAppDescription, "Choose the program to start when the alias is run.").c_str());
        SetDlgItemTextA(dlg_, lblApplication, UiText(kTextApplication, "Program:").c_str());
        SetDlgItemTextA(dlg_, btnBrowse, UiText(kTextBrowse, "&Browse...").c_str());
        SetDlgItemTextA(dlg_, btnOK, UiText(kTextOk, "&OK").c_str());
        SetDlgItemTextA(dlg_, btnCancel, UiText(kTextCancel, "&Cancel").c_str());
    }

    void btnOKClick() {
        const std::string alias = ItemText(dlg_, ebAlias), program = ItemText(dlg_, ebAliasText);
        if (Trim(alias).empty() || Trim(program).empty()) {
            Error(dlg_, UiText(kTextBothNeeded, "Please enter both the alias and the program."));
            return;
        }
        if (const AliasNameProblem problem = CheckAliasName(alias); problem != AliasNameProblem::None) {
            Error(dlg_, AliasNameMessage(problem));
            SetFocus(Item(ebAlias));
            return;
        }
        // An alias of the user's own key is changed there: written per machine it would stay
        // hidden behind the user's entry.
        if (AliasIsPerUser(alias)) {
            if (WriteAlias(AliasScope::User, alias, program) != AliasWrite::Written) {
                Error(dlg_, UiText(kTextNotRegistered, "The alias could not be registered."));
                return;
            }
            End(DialogResult::Ok);
            return;
        }
        AliasWrite written = WriteAlias(AliasScope::Machine, alias, program);
        if (written == AliasWrite::Refused) {
            if (MessageBoxA(dlg_, RefusedText().c_str(), MessageCaption().c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
                return;
            written = WriteAlias(AliasScope::User, alias, program);
        }
        if (written != AliasWrite::Written) {
            Error(dlg_, UiText(kTextNotRegistered, "The alias could not be registered."));
            return;
        }
        End(DialogResult::Ok);
    }

    void btnBrowseClick() {
        const std::string current = ItemText(dlg_, ebAliasText);
        std::string filter = UiText(kTextFilter, "Programs|*.exe|All files (*.*)|*.*");
        for (char& c : filter)
            if (c == '|') c = '\0';
        filter += '\0';
        const std::string title = UiText(kTextBrowseTitle, "Browse");
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
        ofn.hwndOwner = dlg_;
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
        SetDlgItemTextA(dlg_, ebAlias, picked.substr(ofn.nFileOffset).c_str());
        SetDlgItemTextA(dlg_, ebAliasText, picked.c_str());
    }

    std::string alias_, program_;
};

}  // namespace

DialogResult ShowAliasDialog(HWND owner, const std::string& alias, const std::string& program) {
    AliasDialog dialog(alias, program);
    return dialog.ShowModal(owner);
}

}  // namespace kl
