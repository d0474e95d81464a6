// The program filter in the hook procedures: whether Keyloom is off in this
// process's program, and which of the rows on one combination acts here.
#pragma once

#include <cstdint>

#include "platform.h"

namespace kl::hook {

// True when the program is in OffInPrograms: every key and button passes untouched.
bool ProgramIsOff(const Platform& p);

// The rows of one key and modifier set (Flag 0) that act in this process's
// program: those of the highest rank of the rule in program_filter.h, in table
// order. Without a usable filter every row is of rank "everywhere", as always.
struct RowChoice {
    int rank = kRankNone;             // kRankNone: no row acts here
    int count = 0;                    // rows of that rank
    std::int32_t ids[kHotkeyRows];    // their hotkey IDs
};

void ChooseHotkeyRows(const SettingsBlock& b, const Platform& p, std::int32_t key, std::uint8_t countIndex,
                      std::int32_t modifiers, RowChoice& choice);

}  // namespace kl::hook
