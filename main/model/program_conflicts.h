// Whether a combination is free for a hotkey limited to chosen programs: two hotkeys
// may share a combination when their program sets cannot meet (the rule of
// common/program_filter.h, ProgramRowsConflict).
#pragma once

#include <string>

#include "model/hotkey_programs.h"

namespace kl {

// Whether hotkeys with these program settings conflict on one combination: both
// everywhere, both "everywhere except", or both "only in" with a program in common.
bool HotkeyProgramsConflict(const HotkeyPrograms& a, const HotkeyPrograms& b);

// The first hotkey of the Hotkeys key `hotkeyKey` other than `ownId` stored on this
// key and modifier set whose programs conflict with `own`; -1 when there is none.
int ConflictingHotkeyID(const std::string& hotkeyKey, int keyCode, int modifier, int ownId,
                        const HotkeyPrograms& own);

}  // namespace kl
