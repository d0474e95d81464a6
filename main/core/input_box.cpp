#include "core/input_box.h"

#include <cstring>
#include <vector>

#include "core/ui_language.h"

namespace kl {
namespace {

constexpr int kIdPrompt = 100;
constexpr int kIdEdit = 101;

struct Question {
    std::string caption, prompt, initial, answer;
};

// Builds a DLGTEMPLATE in memory: the box needs no resource of its own.
class TemplateWriter {
public:
    void Word(WORD w) { Append(&w, sizeof w); }
    void Dword(DWORD d) { Append(&d, sizeof d); }
    void Text(const char* s) {
        const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
        std::vector<wchar_t> w(n > 0 ? n : 1, L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, s, -1, w.data(), n);
        Append(w.data(), w.size() * sizeof(wchar_t));
    }
    void Align() {
        while (bytes_.size() % 4) bytes_.push_back(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atomClass, const char* text) {
        Align();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Word(0xFFFF);
        Word(atomClass);
        Text(text);
        Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void Append(const void* p, std::size_t n) {
        auto* c = static_cast<const unsigned char*>(p);
        bytes_.insert(bytes_.end(), c, c + n);
    }
    std::vector<unsigned char> bytes_;
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
    TemplateWriter t;
    t.Dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.Dword(0);
    t.Word(4);  // items
    for (short v : {0, 0, 220, 68}) t.Word(static_cast<WORD>(v));
    t.Word(0);  // no menu
    t.Word(0);  // standard class
    t.Text("");
    t.Word(8);
    t.Text("MS Shell Dlg");
    t.Item(SS_LEFT, 8, 8, 204, 10, kIdPrompt, 0x0082, "");
    t.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 22, 204, 13, kIdEdit, 0x0081, "");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 108, 44, 50, 14, IDOK, 0x0080, UiText(11, "OK").c_str());
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 162, 44, 50, 14, IDCANCEL, 0x0080, UiText(12, "Cancel").c_str());

    Question q{caption, prompt, initial, {}};
    const INT_PTR rc = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, QuestionProc,
                                               reinterpret_cast<LPARAM>(&q));
    if (rc != IDOK) return std::nullopt;
    return q.answer;
}

}  // namespace kl
