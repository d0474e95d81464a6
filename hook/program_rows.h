// The program filter in the hook procedures: whether Keyloom is off in this
// process's program, and which of the rows on one combination act here.
#pragma once

#include <cstdint>

#include "platform.h"

namespace kl::hook {

// True when the program is in OffInPrograms: every key and button passes untouched.
bool ProgramIsOff(const Platform& p);

// How the rows of one key and modifier set (Flag 0) stand in this process's
// program: the rows that act here are those of the highest rank of the rule in
// program_filter.h. Without a usable filter every row is of rank "everywhere",
// as always.
struct RowChoice {
    int rank = kRankNone;      // kRankNone: no row acts here
    int count = 0;             // rows of that rank
    std::int32_t firstId = 0;  // the first of them in table order
};

// With firstOnly the walk ends at the first row that no other can outrank (the
// keyboard hook fires one row). `ids`, when given, room for kHotkeyRows IDs,
// receives the IDs of all rows of the chosen rank in table order.
void ChooseHotkeyRows(const SettingsBlock& b, const Platform& p, std::int32_t key, std::uint8_t countIndex,
                      std::int32_t modifiers, bool firstOnly, RowChoice& choice, std::int32_t* ids = nullptr);

}  // namespace kl::hook
