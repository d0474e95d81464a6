#include "ui/input_box.h"

#include "model/ui_language.h"
#include "ui/dialog_base.h"
#include "ui/window_text.h"

namespace kl {
namespace {

constexpr int kIdPrompt = 100;
constexpr int kIdEdit = 101;
constexpr int kTextOk = 11, kTextCancel = 12;

class QuestionDialog : public DialogBase {
public:
    QuestionDialog(std::string caption, std::string prompt, std::string initial)
        : caption_(std::move(caption)), prompt_(std::move(prompt)), initial_(std::move(initial)) {}
    const std::string& answer() const { return answer_; }

protected:
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("", 220, 68);
        t.Item(SS_LEFT, 8, 8, 204, 10, kIdPrompt, kStaticClass, "");
        t.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 22, 204, 13, kIdEdit, kEditClass, "");
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 108, 44, 50, 14, IDOK, kButtonClass, UiText(kTextOk, "OK").c_str());
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 162, 44, 50, 14, IDCANCEL, kButtonClass, UiText(kTextCancel, "Cancel").c_str());
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM) override {
        switch (msg) {
        case WM_INITDIALOG:
            SetWindowTextA(dlg_, caption_.c_str());
            SetDlgItemTextA(dlg_, kIdPrompt, prompt_.c_str());
            SetDlgItemTextA(dlg_, kIdEdit, initial_.c_str());
            SendDlgItemMessageA(dlg_, kIdEdit, EM_SETSEL, 0, -1);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                answer_ = WindowText(Item(kIdEdit));
                End(DialogResult::Ok);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                End(DialogResult::Cancel);
                return TRUE;
            }
            break;
        }
        return FALSE;
    }

private:
    std::string caption_, prompt_, initial_, answer_;
};

}  // namespace

std::optional<std::string> InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                    const std::string& initial) {
    QuestionDialog question(caption, prompt, initial);
    if (question.ShowModal(owner) != DialogResult::Ok) return std::nullopt;
    return question.answer();
}

}  // namespace kl
