// The hotkey editor's programs row: the executables the hotkey is limited to (a
// ";"-list), Select... for the program picker, and where the hotkey acts
// (everywhere, only in these programs, everywhere except these programs).
#pragma once

#include <windows.h>

#include "model/hotkey_programs.h"
#include "ui/dialog_template.h"

namespace kl {

namespace programs_row_ids {
inline constexpr int lblPrograms = 130;
inline constexpr int ebPrograms = 131;
inline constexpr int btnSelectPrograms = 132;
inline constexpr int lblProgramsMode = 133;
inline constexpr int cbProgramsMode = 134;
}  // namespace programs_row_ids

class EditorProgramsRow {
public:
    // The height of the two lines the row takes, in dialog units.
    static constexpr short kHeight = 36;
    // The row's controls, at `top` of the editor's template; `labelX`, `fieldX` and
    // `fieldW` are the columns of the other rows.
    static void AddItems(DialogTemplate& t, short top, short labelX, short labelW, short fieldX, short fieldW);

    // Once the editor's window exists: help contexts, limits, the mode list.
    void Attach(HWND dlg);
    void UpdateLanguage();
    // Everywhere, no programs.
    void Clear();
    void Load(const HotkeyPrograms& programs);
    HotkeyPrograms Current() const;
    // The editor's WM_COMMAND for the row's controls: true when it was one of them;
    // `modified` is set when the user changed the row.
    bool OnCommand(int control, int code, bool& modified);

private:
    HWND Item(int id) const { return GetDlgItem(dlg_, id); }
    void FillModes(int selection);

    HWND dlg_ = nullptr;
    HWND tips_ = nullptr;
    bool setting_ = false;  // the row writes its own controls: no change of the user's
};

}  // namespace kl
