#include "dialogs/key_map_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "ui/style.h"
#include "ui/help_pages.h"
#include "ui/dialog_base.h"
#include "model/ui_language.h"

namespace kl {
namespace {

using namespace key_map_dialog;

constexpr int kModifierNames = 246;  // eight sets: none, Alt, Ctrl, Ctrl+Alt, Shift, ...
constexpr int kModifierSets = 8;

// The code of a "name;code" line, 0 when it is not a number of at least 1.
int CodeOf(const std::string& line) {
    const auto semi = line.rfind(';');
    if (semi == std::string::npos) return 0;
    int code = 0;
    for (std::size_t i = semi + 1; i < line.size(); ++i) {
        if (line[i] < '0' || line[i] > '9' || code > 0xFFFF) return 0;
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

int SelectedCode(HWND dlg, int list) {
    const auto sel = SendDlgItemMessageA(dlg, list, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR) return 0;
    return static_cast<int>(SendDlgItemMessageA(dlg, list, CB_GETITEMDATA, sel, 0));
}

// Selects the entry with this code (none when there is no such entry) and shows the code.
void SelectCode(HWND dlg, int list, int edit, int code) {
    const auto n = SendDlgItemMessageA(dlg, list, CB_GETCOUNT, 0, 0);
    LRESULT found = -1;
    for (LRESULT i = 0; i < n && found < 0; ++i)
        if (SendDlgItemMessageA(dlg, list, CB_GETITEMDATA, i, 0) == code) found = i;
    SendDlgItemMessageA(dlg, list, CB_SETCURSEL, found, 0);
    char hex[16] = "";
    if (code > 0) std::snprintf(hex, sizeof hex, "%X", code == 255 ? 0x1FF : code);
    SetDlgItemTextA(dlg, edit, hex);
}

void ShowSelectedCode(HWND dlg, int list, int edit) {  // cbKeyChange, cbKeyBChange
    const int code = SelectedCode(dlg, list);
    char hex[16] = "";
    if (code > 0) std::snprintf(hex, sizeof hex, "%X", code == 255 ? 0x1FF : code);
    SetDlgItemTextA(dlg, edit, hex);
}

// ebKeyKeyDown, ebKeyBKeyDown: the key pressed picks the entry, and goes no further.
// Tab still moves on, so that the dialog works from the keyboard alone.
LRESULT CALLBACK KeyEditProc(HWND edit, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    const HWND dlg = GetParent(edit);
    const int id = GetDlgCtrlID(edit);
    switch (msg) {
    case WM_GETDLGCODE:
        if (lp) {
            const auto* m = reinterpret_cast<const MSG*>(lp);
            if ((m->message == WM_KEYDOWN || m->message == WM_CHAR) && m->wParam == VK_TAB) break;
        }
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (wp == VK_TAB) break;
        const int vk = static_cast<int>(wp);
        if (id == ebKeyB && (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)) {
            const int set = (GetKeyState(VK_MENU) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                            (GetKeyState(VK_SHIFT) < 0 ? 4 : 0);
            SendDlgItemMessageA(dlg, cbModifier, CB_SETCURSEL, set, 0);
        } else {
            SelectCode(dlg, id == ebKey ? cbKey : cbKeyB, id, vk);
        }
        return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        if (wp == VK_TAB) break;
        return 0;
    default:
        break;
    }
    return DefSubclassProc(edit, msg, wp, lp);
}

// Language texts of the dialog.
constexpr int kTextCaption = 201, kTextKey = 191, kTextMapsTo = 192, kTextForcedModifier = 198, kTextOk = 11,
              kTextCancel = 12;

class KeyMapDialog : public DialogBase {
public:
    KeyMapDialog(const std::vector<std::string>& keys, const KeyPair& pair) : keys_(keys), pair_(pair) {}
    const KeyPair& pair() const { return pair_; }

protected:
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("Keyboard remapping", 232, 122);
        const DWORD list = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        t.Item(SS_LEFT, 7, 7, 150, 10, lblKey, kStaticClass, "Key");
        t.Item(list, 7, 18, 150, 160, cbKey, kComboBoxClass, "");
        t.Item(ES_READONLY | WS_BORDER | WS_TABSTOP, 164, 18, 60, 13, ebKey, kEditClass, "");
        t.Item(SS_LEFT, 7, 38, 150, 10, lblKeyB, kStaticClass, "Maps to");
        t.Item(list, 7, 49, 150, 160, cbKeyB, kComboBoxClass, "");
        t.Item(ES_READONLY | WS_BORDER | WS_TABSTOP, 164, 49, 60, 13, ebKeyB, kEditClass, "");
        t.Item(SS_LEFT, 7, 69, 150, 10, lblModifier, kStaticClass, "Forced modifier");
        t.Item(list, 7, 80, 150, 120, cbModifier, kComboBoxClass, "");
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 110, 101, 55, 14, IDOK, kButtonClass, "&OK");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 169, 101, 55, 14, IDCANCEL, kButtonClass, "&Cancel");
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM) override {
        switch (msg) {
        case WM_INITDIALOG:
            SetWindowContextHelpId(dlg_, help::kKeyMap);
            FormShow();
            ApplyStyleToForm(dlg_);
            return TRUE;
        case WM_DESTROY:
            for (const int edit : {ebKey, ebKeyB}) RemoveWindowSubclass(Item(edit), KeyEditProc, 1);
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
            case cbKey:
                if (HIWORD(wp) == CBN_SELCHANGE) ShowSelectedCode(dlg_, cbKey, ebKey);
                return TRUE;
            case cbKeyB:
                if (HIWORD(wp) == CBN_SELCHANGE) ShowSelectedCode(dlg_, cbKeyB, ebKeyB);
                return TRUE;
            case IDOK: {
                pair_.fromVk = SelectedCode(dlg_, cbKey);
                pair_.toVk = SelectedCode(dlg_, cbKeyB);
                const auto m = SendDlgItemMessageA(dlg_, cbModifier, CB_GETCURSEL, 0, 0);
                pair_.modifiers = m == CB_ERR ? 0 : static_cast<int>(m) & 7;
                End(DialogResult::Ok);
                return TRUE;
            }
            case IDCANCEL:
                End(DialogResult::Cancel);
                return TRUE;
            }
            return FALSE;
        }
        return FALSE;
    }

private:
    void FormShow() {
        HWND dlg = dlg_;
        SetWindowTextA(dlg, UiText(kTextCaption, "Choose the key you press and the key it should produce.").c_str());
        SetDlgItemTextA(dlg, lblKey, UiText(kTextKey, "Key").c_str());
        SetDlgItemTextA(dlg, lblKeyB, UiText(kTextMapsTo, "Maps to").c_str());
        SetDlgItemTextA(dlg, lblModifier, UiText(kTextForcedModifier, "Forced modifier").c_str());
        SetDlgItemTextA(dlg, IDOK, UiText(kTextOk, "&OK").c_str());
        SetDlgItemTextA(dlg, IDCANCEL, UiText(kTextCancel, "&Cancel").c_str());
        for (const int list : {cbKey, cbKeyB}) {
            for (const std::string& line : keys_) {
                const int code = CodeOf(line);
                if (code < 1) continue;  // such entries are never offered
                const std::string name = line.substr(0, line.rfind(';'));
                const auto at = SendDlgItemMessageA(dlg, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
                SendDlgItemMessageA(dlg, list, CB_SETITEMDATA, at, code);
            }
        }
        for (int m = 0; m < kModifierSets; ++m)
            SendDlgItemMessageA(dlg, cbModifier, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(UiText(kModifierNames + m).c_str()));
        SelectCode(dlg, cbKey, ebKey, pair_.fromVk);
        SelectCode(dlg, cbKeyB, ebKeyB, pair_.toVk);
        SendDlgItemMessageA(dlg, cbModifier, CB_SETCURSEL, pair_.modifiers & 7, 0);
        for (const int edit : {ebKey, ebKeyB}) SetWindowSubclass(Item(edit), KeyEditProc, 1, 0);
    }

    const std::vector<std::string>& keys_;
    KeyPair pair_;
};

}  // namespace

std::optional<KeyPair> ShowKeyMapDialog(HWND owner, const std::vector<std::string>& keys, const KeyPair& pair) {
    KeyMapDialog dialog(keys, pair);
    if (dialog.ShowModal(owner) != DialogResult::Ok) return std::nullopt;
    return dialog.pair();
}

}  // namespace kl
