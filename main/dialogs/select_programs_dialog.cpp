#include "dialogs/select_programs_dialog.h"

#include <commdlg.h>

#include "com_apartment.h"
#include "model/program_lists.h"
#include "model/program_control_texts.h"
#include "model/ui_language.h"
#include "system/running_programs.h"
#include "ui/dialog_template.h"
#include "ui/help_pages.h"
#include "ui/style.h"

namespace kl {
namespace {

namespace id = select_programs_ids;
namespace text = program_texts;

struct State {
    HWND dlg = nullptr;
    std::vector<std::string> picked;
};

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

// A program file, or several, chosen in the open dialog: their names are added.
void btnBrowseClick(State& s) {
    std::string filter = UiText(text::kExeFilter, "Programs|*.exe|All files (*.*)|*.*");
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter += '\0';
    const std::string title = UiText(text::kBrowseTitle, "Browse");
    std::vector<char> files(32768, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = s.dlg;
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
    for (const std::string& name : DistinctProgramNames(paths)) AddAndSelect(List(s.dlg), name);
    SetFocus(List(s.dlg));
}

void btnOKClick(State& s) {
    HWND list = List(s.dlg);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0) s.picked.push_back(ItemText(list, i));
    EndDialog(s.dlg, 1);
}

void InitDialog(HWND dlg) {
    SetWindowContextHelpId(dlg, help::kPrograms);
    SetWindowTextA(dlg, UiText(text::kPickerCaption, "Select programs").c_str());
    SetDlgItemTextA(dlg, id::lblRunning, UiText(text::kRunningPrograms, "&Running programs:").c_str());
    SetDlgItemTextA(dlg, id::btnBrowse, UiText(text::kBrowse, "&Browse...").c_str());
    SetDlgItemTextA(dlg, id::btnOK, UiText(text::kOk, "&OK").c_str());
    SetDlgItemTextA(dlg, id::btnCancel, UiText(text::kCancel, "&Cancel").c_str());
    ApplyStyleToForm(dlg);
    HWND list = List(dlg);
    for (const std::string& name : RunningProgramNames())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, LB_SETCARETINDEX, 0, FALSE);
    SetFocus(list);
}

INT_PTR CALLBACK PickerProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* s = reinterpret_cast<State*>(GetWindowLongPtrA(dlg, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        s = reinterpret_cast<State*>(lp);
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        s->dlg = dlg;
        InitDialog(dlg);
        return FALSE;  // the focus is set
    }
    if (!s || msg != WM_COMMAND) return FALSE;
    const int control = LOWORD(wp), code = HIWORD(wp);
    if (control == id::lbPrograms && code == LBN_DBLCLK) {
        btnOKClick(*s);
        return TRUE;
    }
    if (code != BN_CLICKED) return FALSE;
    switch (control) {
    case id::btnOK: btnOKClick(*s); return TRUE;
    case id::btnCancel: EndDialog(dlg, 2); return TRUE;
    case id::btnBrowse: btnBrowseClick(*s); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

std::vector<std::string> SelectPrograms(HWND owner) {
    DialogTemplate t("Select programs", 200, 178);
    t.Item(SS_LEFT, 7, 7, 186, 9, id::lblRunning, kStaticClass, "");
    t.Item(WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS |
               LBS_NOINTEGRALHEIGHT,
           7, 18, 186, 130, id::lbPrograms, kListBoxClass, "");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 7, 157, 60, 14, id::btnBrowse, kButtonClass, "");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 157, 50, 14, id::btnOK, kButtonClass, "");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 143, 157, 50, 14, id::btnCancel, kButtonClass, "");
    State state;
    const INT_PTR r = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, PickerProc,
                                              reinterpret_cast<LPARAM>(&state));
    return r == 1 ? state.picked : std::vector<std::string>{};
}

std::string PickProgramsInto(HWND owner, const std::string& list) {
    const std::vector<std::string> picked = SelectPrograms(owner);
    return picked.empty() ? list : AddProgramNames(list, picked);
}

}  // namespace kl
