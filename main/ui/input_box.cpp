#include "ui/input_box.h"

#include <vector>

#include "ui/dialog_template.h"
#include "model/ui_language.h"

namespace kl {
namespace {

constexpr int kIdPrompt = 100;
constexpr int kIdEdit = 101;

struct Question {
    std::string caption, prompt, initial, answer;
};

INT_PTR CALLBACK QuestionProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    auto* q = reinterpret_cast<Question*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        q = reinterpret_cast<Question*>(lp);
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        SetWindowTextA(dlg, q->caption.c_str());
        SetDlgItemTextA(dlg, kIdPrompt, q->prompt.c_str());
        SetDlgItemTextA(dlg, kIdEdit, q->initial.c_str());
        SendDlgItemMessageA(dlg, kIdEdit, EM_SETSEL, 0, -1);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            const int n = GetWindowTextLengthA(GetDlgItem(dlg, kIdEdit));
            std::vector<char> buf(n + 1, '\0');
            GetDlgItemTextA(dlg, kIdEdit, buf.data(), n + 1);
            q->answer = buf.data();
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::string> InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                    const std::string& initial) {
    DialogTemplate t("", 220, 68);
    t.Item(SS_LEFT, 8, 8, 204, 10, kIdPrompt, kStaticClass, "");
    t.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 22, 204, 13, kIdEdit, kEditClass, "");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 108, 44, 50, 14, IDOK, kButtonClass, UiText(11, "OK").c_str());
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 162, 44, 50, 14, IDCANCEL, kButtonClass, UiText(12, "Cancel").c_str());

    Question q{caption, prompt, initial, {}};
    const INT_PTR rc = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, QuestionProc,
                                               reinterpret_cast<LPARAM>(&q));
    if (rc != IDOK) return std::nullopt;
    return q.answer;
}

}  // namespace kl
