// What a copy of the library knows about the program it runs in: its executable
// name, read once at attach, and its read-only view of the program filter.
#pragma once

#include <cstddef>
#include <cstdint>

#include "program_filter.h"

namespace kl::hook {

struct ProgramContext {
    const ProgramFilterMap* filter = nullptr;  // null: every row everywhere, no program off
    std::size_t filterSize = 0;                // what the view was found to hold
    char name[kProgramNameMax] = {};           // the executable's file name, folded
    std::uint32_t nameLength = 0;              // 0: unknown, in no program set
    // What the last complete slot read said, so that each key does not check the
    // whole slot again: bits 2 to 31 the slot's Sequence with its index in bit 0
    // (shifted), bit 1 the slot is valid, bit 0 the program is off. One word,
    // written whole, as several input threads of the process may share it.
    std::uint32_t verdict = 0;
};

}  // namespace kl::hook
