// The program filter mapping "KeyloomProgramFilter" (program_filter.h), which
// keyloom.exe creates beside the block and replaces whole whenever the hotkeys'
// program sets or OffInPrograms change. keyloom.exe's main thread is its only
// writer. It must exist before the hooks are installed: a copy of klhook.dll
// opens it once, when a process loads it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "program_filter.h"
#include "win_handles.h"

namespace kl {

// One row of the block's hotkey table with its programs as stored: "Programs"
// (names separated by ";") and "ProgramsMode".
struct ProgramFilterEntry {
    int row = 0;               // index of the block's row, 0 to 255
    std::int32_t hotkeyId = 0;
    std::uint32_t mode = kProgramsEverywhere;  // an unknown mode is stored as everywhere
    std::string programs;
};

struct ProgramFilterWrite {
    bool written = false;          // false: no mapping to write to
    std::vector<int> rowsRefused;  // entries not stored: a row out of range, or listed twice
    // Rows whose programs did not fit beside the others: stored so that they act
    // nowhere, neither everywhere nor in the programs they exclude.
    std::vector<int> rowsWithoutRoom;
    bool offInProgramsCut = false;  // the names of OffInPrograms that fit were stored
};

// Writes the filter into a view of the mapping, replacing it whole: the slot that
// readers do not use is filled and then made the active one. Rows not listed act
// everywhere.
ProgramFilterWrite FillProgramFilter(ProgramFilterMap& map, const std::vector<ProgramFilterEntry>& entries,
                                     std::string_view offInPrograms);

class ProgramFilterMapping {
public:
    // Creates the mapping, or opens one of that name that exists (klhook.dll in a
    // process that outlived an earlier run keeps it), and writes an empty filter.
    // False when it cannot be had whole (another program's smaller mapping).
    bool Create();
    bool IsOpen() const { return static_cast<bool>(view_); }

    ProgramFilterWrite Write(const std::vector<ProgramFilterEntry>& entries, std::string_view offInPrograms);

    const ProgramFilterMap* view() const { return view_.as<const ProgramFilterMap>(); }

private:
    UniqueHandle mapping_;
    MappedView view_;
};

}  // namespace kl
