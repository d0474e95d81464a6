#include "dialogs/select_programs_dialog.h"

#include <commdlg.h>

#include "com_apartment.h"
#include "model/program_lists.h"
#include "model/program_control_texts.h"
#include "model/ui_language.h"
#include "system/running_programs.h"
#include "ui/dialog_base.h"
#include "ui/help_pages.h"
#include "ui/style.h"

namespace kl {
namespace {

namespace id = select_programs_ids;
namespace text = program_texts;

HWND List(HWND dlg) { return GetDlgItem(dlg, id::lbPrograms); }

std::string ItemText(HWND list, int index) {
    const auto n = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (n <= 0) return {};
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(n));
    return s;
}

// Adds the name where the sorted list keeps it (or finds it there) and selects it.
void AddAndSelect(HWND list, const std::string& name) {
    auto at = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    if (at == LB_ERR) at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (at < 0) return;
    SendMessageA(list, LB_SETSEL, TRUE, at);
    SendMessageA(list, LB_SETCARETINDEX, at, FALSE);
}

// The picker: the running programs' executables in a multi-select list, and Browse...
// for program files; OK gives the names selected.
class ProgramPicker : public DialogBase {
public:
    const std::vector<std::string>& picked() const { return picked_; }

protected:
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("Select programs", 200, 178);
        t.Item(SS_LEFT, 7, 7, 186, 9, id::lblRunning, kStaticClass, "");
        t.Item(WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS |
                   LBS_NOINTEGRALHEIGHT,
               7, 18, 186, 130, id::lbPrograms, kListBoxClass, "");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 7, 157, 60, 14, id::btnBrowse, kButtonClass, "");
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 157, 50, 14, id::btnOK, kButtonClass, "");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 143, 157, 50, 14, id::btnCancel, kButtonClass, "");
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM) override {
        if (msg == WM_INITDIALOG) {
            InitDialog();
            return FALSE;  // the focus is set
        }
        if (msg != WM_COMMAND) return FALSE;
        const int control = LOWORD(wp), code = HIWORD(wp);
        if (control == id::lbPrograms && code == LBN_DBLCLK) {
            btnOKClick();
            return TRUE;
        }
        if (code != BN_CLICKED) return FALSE;
        switch (control) {
        case id::btnOK: btnOKClick(); return TRUE;
        case id::btnCancel: End(DialogResult::Cancel); return TRUE;
        case id::btnBrowse: btnBrowseClick(); return TRUE;
        default: return FALSE;
        }
    }

private:
    void InitDialog() {
        SetWindowContextHelpId(dlg_, help::kPrograms);
        SetWindowTextA(dlg_, UiText(text::kPickerCaption, "Select programs").c_str());
        SetDlgItemTextA(dlg_, id::lblRunning, UiText(text::kRunningPrograms, "&Running programs:").c_str());
        SetDlgItemTextA(dlg_, id::btnBrowse, UiText(text::kBrowse, "&Browse...").c_str());
        SetDlgItemTextA(dlg_, id::btnOK, UiText(text::kOk, "&OK").c_str());
        SetDlgItemTextA(dlg_, id::btnCancel, UiText(text::kCancel, "&Cancel").c_str());
        ApplyStyleToForm(dlg_);
        HWND list = List(dlg_);
        for (const std::string& name : RunningProgramNames())
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageA(list, LB_SETCARETINDEX, 0, FALSE);
        SetFocus(list);
    }

    // A program file, or several, chosen in the open dialog: their names are added.
    void btnBrowseClick() {
        std::string filter = UiText(text::kExeFilter, "Programs|*.exe|All files (*.*)|*.*");
        for (char& c : filter)
            if (c == '|') c = '\0';
        filter += '\0';
        const std::string title = UiText(text::kBrowseTitle, "Browse");
        std::vector<char> files(32768, '\0');
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = dlg_;
        ofn.lpstrFilter = filter.c_str();
        ofn.lpstrFile = files.data();
        ofn.nMaxFile = static_cast<DWORD>(files.size());
        ofn.lpstrTitle = title.c_str();
        ofn.lpstrDefExt = "exe";
        ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER;
        EnsureComApartment();
        if (!GetOpenFileNameA(&ofn)) return;
        // One file: its path. Several: the folder, then each file name, each ended by a
        // zero, the whole by a second zero.
        std::vector<std::string> paths;
        for (const char* p = files.data(); *p; p += lstrlenA(p) + 1) paths.emplace_back(p);
        if (paths.size() > 1) paths.erase(paths.begin());
        for (const std::string& name : DistinctProgramNames(paths)) AddAndSelect(List(dlg_), name);
        SetFocus(List(dlg_));
    }

    void btnOKClick() {
        HWND list = List(dlg_);
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            if (SendMessageA(list, LB_GETSEL, i, 0) > 0) picked_.push_back(ItemText(list, i));
        End(DialogResult::Ok);
    }

    std::vector<std::string> picked_;
};

}  // namespace

std::vector<std::string> ShowSelectProgramsDialog(HWND owner) {
    ProgramPicker picker;
    return picker.ShowModal(owner) == DialogResult::Ok ? picker.picked() : std::vector<std::string>{};
}

std::string PickProgramsInto(HWND owner, const std::string& list) {
    const std::vector<std::string> picked = ShowSelectProgramsDialog(owner);
    return picked.empty() ? list : AddProgramNames(list, picked);
}

}  // namespace kl
