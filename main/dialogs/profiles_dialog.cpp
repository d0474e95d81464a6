#include "dialogs/profiles_dialog.h"

#include <string>
#include <vector>

#include "ui/style.h"
#include "ui/help_pages.h"
#include "ui/dialog_base.h"
#include "ui/input_box.h"
#include "model/profiles.h"
#include "model/ui_language.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

using namespace profiles_dialog;

// Language texts of the dialog.
constexpr int kTextCaption = 228, kTextAvailable = 229, kTextDone = 230, kTextLoad = 231, kTextCopy = 232,
              kTextLoadQuestion = 233, kTextNameQuestion = 234, kTextRemoveQuestion = 235, kTextSelectFirst = 236,
              kTextDefaultKept = 237, kTextAdd = 16, kTextRemove = 17, kTextConfirmCaption = 6,
              kTextActiveKept = 516;

struct State {
    const ProfilesDialog* config;
    HWND dlg = nullptr;
    std::vector<std::string> profiles;  // the list box's entries; the default profile first
};

std::string CaptionOf(HWND dlg, int id) {
    char text[128] = {};
    GetDlgItemTextA(dlg, id, text, sizeof text);
    std::string caption;
    for (const char* c = text; *c; ++c)
        if (*c != '&') caption += *c;
    return TrimSpaces(caption);
}

void Notice(HWND dlg, const std::string& text) {
    MessageBoxA(dlg, text.c_str(), MessageCaption().c_str(), MB_OK | MB_ICONINFORMATION);
}

bool Confirm(HWND dlg, int text, const char* fallback, const std::string& name) {
    const std::string question = UiText(text, fallback) + " \"" + name + "\" ?";
    return MessageBoxA(dlg, question.c_str(), UiText(kTextConfirmCaption, "Please confirm").c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void RefreshProfileList(State& s, const std::string& select = {}) {
    s.profiles = GetProfileList(s.config->defaultName);
    HWND list = GetDlgItem(s.dlg, lbAvailable);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    int selection = 0;
    for (std::size_t i = 0; i < s.profiles.size(); ++i) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.profiles[i].c_str()));
        if (!select.empty() && s.profiles[i] == select) selection = static_cast<int>(i);
    }
    SendMessageA(list, LB_SETCURSEL, selection, 0);
}

// The selected entry's position, or -1 after telling the user to select one.
int Selected(State& s) {
    const auto sel = SendDlgItemMessageA(s.dlg, lbAvailable, LB_GETCURSEL, 0, 0);
    if (sel == LB_ERR || sel < 0 || static_cast<std::size_t>(sel) >= s.profiles.size()) {
        Notice(s.dlg, UiText(kTextSelectFirst, "Please select a profile first."));
        return -1;
    }
    return static_cast<int>(sel);
}

// Asks for a new profile's name; empty when the user cancelled or the name was refused.
std::string AskName(State& s, int button) {
    const auto answer = InputBox(s.dlg, CaptionOf(s.dlg, button),
                                 UiText(kTextNameQuestion, "Name of the profile (up to 16 characters):"), "");
    if (!answer) return {};
    const std::string name = TrimSpaces(*answer);
    const ProfileNameProblem problem = CheckProfileName(name, s.profiles);
    if (problem != ProfileNameProblem::None) {
        Notice(s.dlg, ProfileNameMessage(problem));
        return {};
    }
    return name;
}

void btnLoadClick(State& s) {
    const int sel = Selected(s);
    if (sel < 0) return;
    const std::string name = s.profiles[static_cast<std::size_t>(sel)];
    if (!Confirm(s.dlg, kTextLoadQuestion, "Do you want to load the profile", name)) return;
    s.config->loadProfile(sel == 0 ? std::string() : name);
    RefreshProfileList(s, name);
    SetFocus(GetDlgItem(s.dlg, btnDone));
}

void btnAddClick(State& s) {
    const std::string name = AskName(s, btnAdd);
    if (name.empty()) return;
    AddProfile(name, s.config->dataDir);
    RefreshProfileList(s, name);
    SetFocus(GetDlgItem(s.dlg, btnLoad));
}

void btnCopyClick(State& s) {
    const int sel = Selected(s);
    if (sel < 0) return;
    const std::string source = sel == 0 ? std::string() : s.profiles[static_cast<std::size_t>(sel)];
    const std::string name = AskName(s, btnCopy);
    if (name.empty()) return;
    CopyProfile(source, name);
    RefreshProfileList(s, name);
    SetFocus(GetDlgItem(s.dlg, btnLoad));
}

void btnRemoveClick(State& s) {
    const int sel = Selected(s);
    if (sel < 0) return;
    if (sel == 0) {
        Notice(s.dlg, UiText(kTextDefaultKept, "The default profile cannot be removed."));
        return;
    }
    const std::string name = s.profiles[static_cast<std::size_t>(sel)];
    // The block would go on naming a key that no longer exists.
    if (s.config->activeProfile && TrimSpaces(s.config->activeProfile()) == name) {
        Notice(s.dlg, UiText(kTextActiveKept, "The active profile cannot be removed. Load another profile first."));
        return;
    }
    if (!Confirm(s.dlg, kTextRemoveQuestion, "Do you want to remove the profile", name)) return;
    RemoveProfile(name);
    RefreshProfileList(s);
    SetFocus(GetDlgItem(s.dlg, btnDone));
}

void FormShow(State& s) {
    SetWindowTextA(s.dlg, UiText(kTextCaption, "Profiles").c_str());
    SetDlgItemTextA(s.dlg, lblAvailableProfiles, UiText(kTextAvailable, "Available profiles:").c_str());
    SetDlgItemTextA(s.dlg, btnDone, UiText(kTextDone, "&Done").c_str());
    SetDlgItemTextA(s.dlg, btnLoad, UiText(kTextLoad, "&Load").c_str());
    SetDlgItemTextA(s.dlg, btnCopy, UiText(kTextCopy, "&Copy").c_str());
    SetDlgItemTextA(s.dlg, btnAdd, UiText(kTextAdd, "&Add").c_str());
    SetDlgItemTextA(s.dlg, btnRemove, UiText(kTextRemove, "Remove").c_str());
    RefreshProfileList(s, s.config->activeProfile ? s.config->activeProfile() : std::string());
}

class ProfilesDialogWindow : public DialogBase {
public:
    explicit ProfilesDialogWindow(const ProfilesDialog& config) : state_{&config, nullptr, {}} {}

protected:
    DialogTemplate BuildTemplate() override {
        DialogTemplate t("Profiles", 222, 150);
        t.Item(SS_LEFT, 7, 7, 140, 10, lblAvailableProfiles, kStaticClass, "Available profiles:");
        t.Item(LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 19, 142, 124, lbAvailable, kListBoxClass, "");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 157, 19, 58, 14, btnLoad, kButtonClass, "&Load");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 157, 37, 58, 14, btnAdd, kButtonClass, "&Add");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 157, 55, 58, 14, btnCopy, kButtonClass, "&Copy");
        t.Item(BS_PUSHBUTTON | WS_TABSTOP, 157, 73, 58, 14, btnRemove, kButtonClass, "Remove");
        t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 157, 129, 58, 14, btnDone, kButtonClass, "&Done");
        return t;
    }

    INT_PTR Proc(UINT msg, WPARAM wp, LPARAM) override {
        State& s = state_;
        if (msg == WM_INITDIALOG) {
            s.dlg = dlg_;
            SetWindowContextHelpId(dlg_, help::kProfiles);
            FormShow(s);
            ApplyStyleToForm(dlg_);
            SetFocus(Item(lbAvailable));
            return FALSE;
        }
        if (msg != WM_COMMAND) return FALSE;
        switch (LOWORD(wp)) {
        case lbAvailable:
            if (HIWORD(wp) == LBN_DBLCLK) btnLoadClick(s);
            return TRUE;
        case btnLoad: btnLoadClick(s); return TRUE;
        case btnAdd: btnAddClick(s); return TRUE;
        case btnCopy: btnCopyClick(s); return TRUE;
        case btnRemove: btnRemoveClick(s); return TRUE;
        case btnDone:
        case IDCANCEL: End(DialogResult::Ok); return TRUE;
        default: return FALSE;
        }
    }

private:
    State state_;
};

}  // namespace

void ShowProfilesDialog(HWND owner, const ProfilesDialog& dialog) {
    ProfilesDialogWindow window(dialog);
    window.ShowModal(owner);
}

}  // namespace kl
