// What the hotkey editor (TfrmEditHotkey) decides without its window: the parameter
// rows a catalogue line asks for, the parameter text joined from and spread over those
// rows, the key codes a captured key stands for, and the validation rules with their
// collected message. The dialog (main/dialogs/edit_hotkey.*) only moves these values
// between the rules and its controls.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue.h"

namespace kl::editor {

inline constexpr char kFieldSeparator = '\xFF';
inline constexpr int kDescriptionMax = 25;   // ebDescription
inline constexpr int kParameterTextMax = 255;  // the whole stored parameter text
inline constexpr int kRowCount = 3;

// Language texts of the editor (section "Edit Hotkey form").
inline constexpr int kTextOk = 11, kTextCancel = 12;
inline constexpr int kTextNoticeCaption = 5, kTextQuestionCaption = 6;
inline constexpr int kTextCaption = 164, kTextClear = 165, kTextClearHint = 166, kTextSelect = 167,
                     kTextSelectHint = 168, kTextDescriptionHeader = 169, kTextDescription = 170,
                     kTextHotkeyHeader = 171, kTextModifier = 172, kTextKey = 173, kTextFunctionHeader = 174,
                     kTextCategory = 175, kTextFunction = 176, kTextCannotSave = 177, kTextMustBeFilled = 178,
                     kTextComboUsed = 179, kTextWindowsCombo = 180, kTextNoModifier1 = 181,
                     kTextNoModifier2 = 182, kTextNoModifier3 = 183, kTextChooseModifier = 184;

// The functions whose list parameter is stored as the position of the chosen entry
// rather than its text (they agree with the function IDs klsupport runs).
bool StoresListPosition(int functionId);

// A text field of the editor (ebDocument or ebParameter) as a catalogue line sets it up.
struct TextRow {
    bool visible = false;
    int row = 0;            // 1 to 3
    std::string label;      // language text 461 + label number; also the field's hint
    int maxLength = 0;      // 0: no limit
    bool required = false;  // ebParameter only: kind 9
};

struct ListRow {
    bool visible = false;
    int row = 0;
    std::string label;
    std::vector<std::string> entries;
};

struct ParameterLayout {
    TextRow document;   // lblDocument / ebDocument
    TextRow parameter;  // lblParameter / ebParameter
    ListRow list;       // lblList / cbList
    bool selectButton = false;  // btnSelect, shown beside ebDocument for a kind-4 slot
};

// Where the entries of the data-dependent lists come from.
struct ListSources {
    LanguageText text;                                     // language text by number
    std::function<std::vector<std::string>()> dirPlaySets;  // kind 5 without "Active"
    std::function<std::vector<std::string>()> cdDrives;     // kind 6
    std::function<std::vector<std::string>()> profiles;     // kind 8, default profile first
};

// ReloadParameterList for one catalogue line ("" for no function selected).
ParameterLayout LayoutFor(std::string_view catalogueLine, const ListSources& sources);

// What the visible parameter controls hold.
struct ParameterValues {
    std::string document;
    int listIndex = -1;  // the selected cbList entry, -1: none
    std::string parameter;
};

// The stored parameter text: the values of the visible controls in the order
// ebDocument, cbList, ebParameter, each followed by character 255; text fields with
// their leading blanks removed; the list as its position for the functions of
// StoresListPosition and as the entry's text otherwise.
std::string CollectParameterText(const ParameterLayout& layout, int functionId, const ParameterValues& values);

// The stored text spread over the visible controls (fields taken in order); a list
// value that matches no entry leaves the list without a selection, an empty or missing
// position selects the first entry.
ParameterValues SpreadParameterText(const ParameterLayout& layout, int functionId, std::string_view stored);

// The code a captured key is stored as: 256 + scan code for virtual-key code 255.
int KeyCodeFor(int virtualKey, int lastScanCode);
// The key code as ebKey shows it: upper-case hexadecimal, "" for 0 or less.
std::string KeyHex(int code);
// ebKey read back as hexadecimal; 0 when empty or not a number.
int ParseKeyHex(std::string_view text);

// The modifier set a key pressed in cbModifier selects (16 Shift, 17 Ctrl, 18 Alt,
// 91/92 Windows keys and their left/right variants); -1 for other keys.
int ModifierForKey(int virtualKey);

// Function 99 counts its runs: storing a hotkey of it starts the count again.
inline constexpr int kCounterFunction = 99;
bool RestartsCounter(int functionId);

// How cbKey shows a line of keynames.txt ("code;name;grey"): on a grey background when
// field 3 is 1; a line without a code of 1 or more is drawn empty; such a line and one
// without a name or named "ILLEGAL" cannot be chosen.
struct KeyLineLook {
    int code = 0;            // 0: no code of 1 or more
    std::string name;        // what the list shows ("" for a line drawn empty)
    bool grey = false;
    bool choosable = false;
    bool drawnEmpty = false;
};
KeyLineLook LookOfKeyLine(std::string_view line);
// The position of the line with this code (the first), -1 when there is none.
int KeyLineOf(const std::vector<std::string>& lines, int code);

// A cbCategory entry of the catalogue's list ("name;number").
struct CategoryEntry {
    std::string name;
    int number = 0;
};
CategoryEntry ParseCategoryEntry(std::string_view entry);

// The catalogue lines cbFunction can offer: a damaged line whose ID is no number can be
// neither shown nor stored.
std::vector<std::string> ChoosableFunctionLines(std::vector<std::string> lines);
// A cbFunction line's name: its language text, else its ID in brackets.
std::string FunctionListName(std::string_view line, const LanguageText& text);

// Everything Validate looks at.
struct EditorInput {
    int ownId = -1;
    std::string description;
    int modifier = -1;      // position in cbModifier, -1: none
    int keyCode = 0;        // ebKey read as hexadecimal, 0: none
    int keyLine = -1;       // position selected in cbKey, -1: none
    int functionId = -1;    // field 1 of the selected cbFunction line, -1: none
    ParameterLayout layout;
    std::string document, parameter;
    std::string parameterText;  // as CollectParameterText joins it
    // Captions of the labels the messages name.
    std::string lblDescription, lblModifier, lblKey, lblFunction;
    // The ID FindHotkeyID gives for the key and modifier (-1: none).
    int existingId = -1;
    // The block's Windows-default options WinD, WinE, WinF, WinM, WinR.
    bool winD = false, winE = false, winF = false, winM = false, winR = false;
    bool defaultProfile = true;  // ProfileName empty
};

struct Verdict {
    bool ok = true;
    std::string message;  // one line per failed rule, each ended by CR LF
    // Rules 1 to 8 passed and rule 9 applies: the caller asks its question and, on
    // No, adds NoModifierRefused.
    bool askNoModifier = false;
};

// Rules 1 to 8 of Validate, then the limits of the stored texts (an overlong
// description or text field, the field separator typed into a field, a parameter text
// whose values the store's cut at 255 characters would change), then whether rule 9's
// question is due.
Verdict Validate(const EditorInput& in, const LanguageText& text);
// The line rule 9 adds when the question is answered No.
std::string NoModifierRefused(const LanguageText& text);
// The question of rule 9.
std::string NoModifierQuestion(const LanguageText& text);
// The message box text for a failed validation.
std::string CannotSaveMessage(const Verdict& verdict, const LanguageText& text);

// A caption without its "&" marks ("&&" stays one "&").
std::string WithoutMnemonics(std::string_view caption);

// The description a converted macro's hotkey starts with: the caption, " (", the text
// and ")", the text cut (and marked "...") so that the whole fits ebDescription.
std::string ConvertedMacroDescription(std::string_view caption, std::string_view text);

// The Select dialog's result as the editor takes it: quotes at both ends removed,
// trimmed, split at the first character 255 into document and parameter.
std::pair<std::string, std::string> SplitSelection(std::string_view selected);

}  // namespace kl::editor
