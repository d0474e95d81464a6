// The language lines of the controls for hotkeys in chosen programs: the editor's
// programs row, the program picker, the hotkey list's column, the Options page's
// field and the notice of a combination that another program holds.
#pragma once

#include "program_texts.h"

namespace kl::program_texts {

inline constexpr int kProgramsLabel = 489;      // "&Programs"
inline constexpr int kModeLabel = 490;          // "W&here"
inline constexpr int kModeEverywhere = 491;     // "Everywhere"
inline constexpr int kModeOnlyIn = 492;         // "Only in these programs"
inline constexpr int kModeExceptIn = 493;       // "Everywhere except these programs"
inline constexpr int kSelectPrograms = 494;     // "Selec&t..."
inline constexpr int kProgramsHint = 495;       // the field's tip
inline constexpr int kPickerCaption = 496;      // "Select programs"
inline constexpr int kRunningPrograms = 497;    // "&Running programs:"
inline constexpr int kProgramsColumn = 498;     // "Programs"
inline constexpr int kOnlyPrefix = 499;         // "only:"
inline constexpr int kExceptPrefix = 500;       // "except:"
inline constexpr int kOffInPrograms = 501;      // "Keyloom is off in:"
inline constexpr int kTakenByOther = kLineCombinationInUse;       // "This combination is in use by another program"
inline constexpr int kStoreAnyway = 502;        // the question in simple mode
inline constexpr int kHookModeWarning = 503;    // the warning in hook mode
inline constexpr int kProgramsNotStored = 519;  // the programs of a stored hotkey could not be written

// Shared with other dialogs.
inline constexpr int kBrowse = 22;       // "&Browse..."
inline constexpr int kExeFilter = 156;   // "Programs|*.exe|All files (*.*)|*.*"
inline constexpr int kBrowseTitle = 157; // "Browse"
inline constexpr int kOk = 11, kCancel = 12;

}  // namespace kl::program_texts
