#include "window/off_in_programs_field.h"

#include <commctrl.h>

#include "dialogs/select_programs_dialog.h"
#include "model/hotkey_programs.h"
#include "model/program_control_texts.h"
#include "model/ui_language.h"
#include "ui/dpi.h"
#include "ui/help_pages.h"

#include "system/program_filter_sync.h"

namespace kl {
namespace {

namespace id = off_in_ids;
namespace text = program_texts;

constexpr int kTextMax = 4096;

// Where the controls sit on the Options page, in pixels at 96 dots per inch: one line
// below the language box.
struct Place {
    int x, y, cx, cy;
};
constexpr Place kLabel{12, 309, 150, 18};
constexpr Place kEdit{166, 305, 198, 22};
constexpr Place kButton{370, 304, 76, 24};

}  // namespace

void OffInProgramsField::Create(HINSTANCE instance, HWND optionsPage, HFONT font) {
    auto make = [&](DWORD exStyle, const char* cls, DWORD style, int control) {
        HWND c = CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, optionsPage,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)), instance, nullptr);
        SetWindowContextHelpId(c, help::kPrograms);
        return c;
    };
    label_ = make(0, WC_STATICA, SS_LEFT | SS_NOPREFIX, id::lblOffInPrograms);
    edit_ = make(WS_EX_CLIENTEDGE, WC_EDITA, ES_AUTOHSCROLL | WS_TABSTOP, id::ebOffInPrograms);
    select_ = make(0, WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP, id::btnSelectOffIn);
    SendMessageA(edit_, EM_SETLIMITTEXT, kTextMax, 0);
    Place(WindowDpi(optionsPage), font);
    UpdateLanguage();
}

void OffInProgramsField::Place(int dpi, HFONT font) {
    auto put = [&](HWND c, const struct Place& p) {
        if (!c) return;
        SetWindowPos(c, nullptr, ScaleForDpi(p.x, dpi), ScaleForDpi(p.y, dpi), ScaleForDpi(p.cx, dpi),
                     ScaleForDpi(p.cy, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        if (font) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    put(label_, kLabel);
    put(edit_, kEdit);
    put(select_, kButton);
}

void OffInProgramsField::Rescale(int dpi, HFONT font) { Place(dpi, font); }

void OffInProgramsField::UpdateLanguage() {
    if (!label_) return;
    SetWindowTextA(label_, UiText(text::kOffInPrograms, "Keyloom is off in:").c_str());
    SetWindowTextA(select_, UiText(text::kSelectPrograms, "Selec&t...").c_str());
}

bool OffInProgramsField::Owns(int control) const {
    return control == id::lblOffInPrograms || control == id::ebOffInPrograms || control == id::btnSelectOffIn;
}

void OffInProgramsField::Load(const std::string& mainKey) {
    mainKey_ = mainKey;
    stored_ = ReadOffInPrograms(mainKey);
    if (!edit_ || Text() == stored_) return;
    loading_ = true;
    SetWindowTextA(edit_, stored_.c_str());
    loading_ = false;
}

std::string OffInProgramsField::Text() const {
    const int n = GetWindowTextLengthA(edit_);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    GetWindowTextA(edit_, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return s;
}

bool OffInProgramsField::OnCommand(int control, int code) {
    if (control == id::btnSelectOffIn && code == BN_CLICKED) {
        const std::string before = Text();
        const std::string after = PickProgramsInto(GetAncestor(edit_, GA_ROOT), before);
        if (after != before && IsWindow(edit_)) SetWindowTextA(edit_, after.c_str());  // EN_CHANGE stores it
        if (IsWindow(edit_)) SetFocus(edit_);
        return false;
    }
    if (control != id::ebOffInPrograms || code != EN_CHANGE || loading_ || mainKey_.empty()) return false;
    const std::string now = Text();
    if (now == stored_ || !WriteOffInPrograms(mainKey_, now)) return false;
    stored_ = now;
    RefreshProgramFilter();
    return true;
}

}  // namespace kl
