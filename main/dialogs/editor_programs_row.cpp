#include "dialogs/editor_programs_row.h"

#include <commctrl.h>

#include <string>

#include "dialogs/select_programs_dialog.h"
#include "model/program_control_texts.h"
#include "model/ui_language.h"
#include "ui/help_pages.h"

namespace kl {
namespace {

namespace id = programs_row_ids;
namespace text = program_texts;

constexpr int kProgramsMax = 4096;  // far more names than a hotkey needs

std::string FieldText(HWND w) {
    const int n = GetWindowTextLengthA(w);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    GetWindowTextA(w, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return s;
}

}  // namespace

void EditorProgramsRow::AddItems(DialogTemplate& t, short top, short labelX, short labelW, short fieldX,
                                 short fieldW) {
    const DWORD label = SS_LEFT | WS_VISIBLE;
    const short button = 50;
    t.Item(DlgClass::Static, label, labelX, top + 2, labelW, 9, id::lblPrograms, "&Programs");
    t.Item(DlgClass::Edit, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | WS_VISIBLE, fieldX, top, fieldW - button - 4, 13,
           id::ebPrograms, "");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, fieldX + fieldW - button, top - 1, button, 15,
           id::btnSelectPrograms, "Selec&t...");
    t.Item(DlgClass::Static, label, labelX, top + 20, labelW, 9, id::lblProgramsMode, "W&here");
    t.Item(DlgClass::ComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, fieldX, top + 18, fieldW, 60,
           id::cbProgramsMode, "");
}

void EditorProgramsRow::Attach(HWND dlg) {
    dlg_ = dlg;
    for (int control : {id::lblPrograms, id::ebPrograms, id::btnSelectPrograms, id::lblProgramsMode, id::cbProgramsMode})
        SetWindowContextHelpId(Item(control), help::kPrograms);
    SendMessageA(Item(id::ebPrograms), EM_LIMITTEXT, kProgramsMax, 0);
    tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dlg_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    FillModes(0);
}

void EditorProgramsRow::FillModes(int selection) {
    HWND box = Item(id::cbProgramsMode);
    setting_ = true;
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    const std::string modes[] = {UiText(text::kModeEverywhere, "Everywhere"),
                                 UiText(text::kModeOnlyIn, "Only in these programs"),
                                 UiText(text::kModeExceptIn, "Everywhere except these programs")};
    for (const std::string& mode : modes) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode.c_str()));
    SendMessageA(box, CB_SETCURSEL, selection >= 0 && selection <= 2 ? selection : 0, 0);
    setting_ = false;
}

void EditorProgramsRow::UpdateLanguage() {
    if (!dlg_) return;
    SetWindowTextA(Item(id::lblPrograms), UiText(text::kProgramsLabel, "&Programs").c_str());
    SetWindowTextA(Item(id::btnSelectPrograms), UiText(text::kSelectPrograms, "Selec&t...").c_str());
    SetWindowTextA(Item(id::lblProgramsMode), UiText(text::kModeLabel, "W&here").c_str());
    FillModes(static_cast<int>(SendMessageA(Item(id::cbProgramsMode), CB_GETCURSEL, 0, 0)));
    if (!tips_) return;
    std::string hint = UiText(text::kProgramsHint, "Executable file names separated by \";\", such as notepad.exe;calc.exe");
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = dlg_;
    ti.uId = reinterpret_cast<UINT_PTR>(Item(id::ebPrograms));
    ti.lpszText = hint.data();
    if (!SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti)) ||
        !SendMessageA(tips_, TTM_GETTOOLCOUNT, 0, 0))
        SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void EditorProgramsRow::Clear() { Load({}); }

void EditorProgramsRow::Load(const HotkeyPrograms& programs) {
    if (!dlg_) return;
    setting_ = true;
    SetWindowTextA(Item(id::ebPrograms), programs.programs.c_str());
    SendMessageA(Item(id::cbProgramsMode), CB_SETCURSEL, static_cast<WPARAM>(programs.mode), 0);
    setting_ = false;
}

HotkeyPrograms EditorProgramsRow::Current() const {
    HotkeyPrograms p;
    if (!dlg_) return p;
    p.programs = FieldText(Item(id::ebPrograms));
    const auto mode = SendMessageA(Item(id::cbProgramsMode), CB_GETCURSEL, 0, 0);
    p.mode = mode == 1 ? ProgramsMode::OnlyIn : mode == 2 ? ProgramsMode::ExceptIn : ProgramsMode::Everywhere;
    return p;
}

bool EditorProgramsRow::OnCommand(int control, int code, bool& modified) {
    switch (control) {
    case id::ebPrograms:
        if (code == EN_CHANGE && !setting_) modified = true;
        return true;
    case id::cbProgramsMode:
        if (code == CBN_SELCHANGE && !setting_) modified = true;
        return true;
    case id::btnSelectPrograms: {
        if (code != BN_CLICKED) return true;
        const std::string before = FieldText(Item(id::ebPrograms));
        const std::string after = PickProgramsInto(dlg_, before);
        if (!IsWindow(dlg_) || after == before) return true;
        SetWindowTextA(Item(id::ebPrograms), after.c_str());  // EN_CHANGE marks the change
        // Names picked for a hotkey that acts everywhere mean: only in them.
        if (SendMessageA(Item(id::cbProgramsMode), CB_GETCURSEL, 0, 0) == 0) {
            SendMessageA(Item(id::cbProgramsMode), CB_SETCURSEL, 1, 0);
            modified = true;
        }
        SetFocus(Item(id::ebPrograms));
        return true;
    }
    default:
        return false;
    }
}

}  // namespace kl
