// The language lines of the controls for hotkeys in chosen programs: the editor's
// programs row, the program picker, the hotkey list's column, the Options page's
// field and the notice of a combination that another program holds.
#pragma once

namespace kl::program_texts {

inline constexpr int kProgramsLabel = 486;      // "&Programs"
inline constexpr int kModeLabel = 487;          // "W&here"
inline constexpr int kModeEverywhere = 488;     // "Everywhere"
inline constexpr int kModeOnlyIn = 489;         // "Only in these programs"
inline constexpr int kModeExceptIn = 490;       // "Everywhere except these programs"
inline constexpr int kSelectPrograms = 491;     // "Selec&t..."
inline constexpr int kProgramsHint = 492;       // the field's tip
inline constexpr int kPickerCaption = 493;      // "Select programs"
inline constexpr int kRunningPrograms = 494;    // "&Running programs:"
inline constexpr int kProgramsColumn = 495;     // "Programs"
inline constexpr int kOnlyPrefix = 496;         // "only:"
inline constexpr int kExceptPrefix = 497;       // "except:"
inline constexpr int kOffInPrograms = 498;      // "Keyloom is off in:"
inline constexpr int kTakenByOther = 499;       // "This combination is in use by another program"
inline constexpr int kStoreAnyway = 500;        // the question in simple mode
inline constexpr int kHookModeWarning = 501;    // the warning in hook mode

// Shared with other dialogs.
inline constexpr int kBrowse = 22;       // "&Browse..."
inline constexpr int kExeFilter = 156;   // "Programs|*.exe|All files (*.*)|*.*"
inline constexpr int kBrowseTitle = 157; // "Browse"
inline constexpr int kOk = 11, kCancel = 12;

}  // namespace kl::program_texts
