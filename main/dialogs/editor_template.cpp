#include "dialogs/editor_template.h"

#include "dialogs/edit_hotkey_ids.h"
#include "dialogs/editor_programs_row.h"
#include "model/hotkey_editor_rules.h"
#include "model/ui_language.h"

namespace kl::editor {
namespace {

namespace id = editor_ids;

// The dialog's layout in dialog units.
constexpr short kProgramsY = 206;  // the programs row, below the parameter rows
constexpr short kWidth = 320, kHeight = 246 + EditorProgramsRow::kHeight;
constexpr short kButtonsY = 224 + EditorProgramsRow::kHeight;
constexpr short kLabelX = 14, kLabelW = 106, kFieldX = 124, kFieldW = 184;
constexpr short kEditH = 13, kComboH = 160;
constexpr short kRowY[kRowCount] = {152, 170, 188};

}  // namespace

DialogTemplate EditorTemplate() {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_3DLOOK;
    DialogTemplate t(style, WS_EX_APPWINDOW, kWidth, kHeight, UiText(kTextCaption, "Edit hotkey"));
    const DWORD vis = WS_VISIBLE;
    const DWORD label = SS_LEFT | vis;
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const DWORD drawnList = CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
    t.Item(DlgClass::Button, BS_GROUPBOX | vis, 6, 4, 308, 212 + EditorProgramsRow::kHeight, id::grpDefinition, "");
    t.Item(DlgClass::Static, label, kLabelX - 4, 14, 200, 9, id::lblDescriptionHeader, "Description");
    t.Item(DlgClass::Static, label, kLabelX, 30, kLabelW, 9, id::lblDescription, "&Description");
    t.Item(DlgClass::Edit, edit | vis, kFieldX, 28, kFieldW, kEditH, id::ebDescription, "");
    t.Item(DlgClass::Static, label, kLabelX - 4, 48, 200, 9, id::lblHotkeyHeader, "Hotkey");
    t.Item(DlgClass::Static, label, kLabelX, 64, kLabelW, 9, id::lblModifier, "&Modifier");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX, 62, kFieldW, kComboH, id::cbModifier, "");
    t.Item(DlgClass::Static, label, kLabelX, 81, kLabelW, 9, id::lblKey, "&Key");
    t.Item(DlgClass::Edit, edit | ES_READONLY | vis, kFieldX, 79, 40, kEditH, id::ebKey, "");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX + 44, 79, kFieldW - 44, kComboH, id::cbKey, "");
    t.Item(DlgClass::Static, label, kLabelX - 4, 98, 200, 9, id::lblFunctionHeader, "Action");
    t.Item(DlgClass::Static, label, kLabelX, 114, kLabelW, 9, id::lblCategory, "C&ategory");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX, 112, kFieldW, kComboH, id::cbCategory, "");
    t.Item(DlgClass::Static, label, kLabelX, 131, kLabelW, 9, id::lblFunction, "&Function");
    t.Item(DlgClass::ComboBox, drawnList | vis, kFieldX, 129, kFieldW, kComboH, id::cbFunction, "");
    // The parameter rows start hidden; ReloadParameterList shows and places them.
    t.Item(DlgClass::Static, SS_LEFT | SS_NOPREFIX, kLabelX, kRowY[0] + 2, kLabelW, 9, id::lblDocument, "");
    t.Item(DlgClass::Edit, edit, kFieldX, kRowY[0], kFieldW - 48, kEditH, id::ebDocument, "");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP, kFieldX + kFieldW - 44, kRowY[0] - 1, 44, 15, id::btnSelect,
           "&Select...");
    t.Item(DlgClass::Static, SS_LEFT | SS_NOPREFIX, kLabelX, kRowY[2] + 2, kLabelW, 9, id::lblList, "");
    t.Item(DlgClass::ComboBox, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFieldX, kRowY[2], kFieldW, kComboH,
           id::cbList, "");
    t.Item(DlgClass::Static, SS_LEFT | SS_NOPREFIX, kLabelX, kRowY[1] + 2, kLabelW, 9, id::lblParameter, "");
    t.Item(DlgClass::Edit, edit, kFieldX, kRowY[1], kFieldW, kEditH, id::ebParameter, "");
    EditorProgramsRow::AddItems(t, kProgramsY, kLabelX, kLabelW, kFieldX, kFieldW);
    t.Item(DlgClass::Button, BS_DEFPUSHBUTTON | WS_TABSTOP | vis, 206, kButtonsY, 52, 15, id::btnOK, "&OK");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | vis, 262, kButtonsY, 52, 15, id::btnCancel, "&Cancel");
    t.Item(DlgClass::Button, BS_PUSHBUTTON | WS_TABSTOP | vis, 6, kButtonsY, 54, 15, id::btnClear, "C&lear");
    return t;
}

}  // namespace kl::editor
