// keyloom.exe's program filter: the one mapping "KeyloomProgramFilter" of this
// process, rewritten from the stored programs of every row of the block's hotkey
// table and the active profile's OffInPrograms whenever the table is loaded or
// changed, and read again here for the choice of simple mode.
#pragma once

#include <string>
#include <string_view>

#include "settings_block.h"
#include "system/program_filter_map.h"

namespace kl {

// Creates the mapping (with an empty filter: every row everywhere). Called before
// klhook.dll is loaded: each copy of it opens the mapping once, when it attaches.
bool CreateProgramFilter();

// Rewrites the filter from the block's table and the active profile's values.
// Nothing happens without a block or a mapping.
ProgramFilterWrite RefreshProgramFilter();

// Stores the active profile's OffInPrograms (empty: deleted) and rewrites the
// filter, so that the change acts at once. False when the value could not be written.
bool StoreOffInPrograms(std::string_view programs);

// The mapped filter, or null.
const ProgramFilterMap* ProgramFilterView();

// What a combination reported by the system (simple mode) does in a program.
struct SimpleModeChoice {
    enum class Kind {
        Unchanged,    // no row ranks above "everywhere": the table's lookup as always
        Run,          // run hotkey `id`
        PassThrough,  // no row acts in this program (or Keyloom is off in it)
    };
    Kind kind = Kind::Unchanged;
    int id = 0;
};

// The choice among the block's rows of this key and modifier set for the folded
// executable name `program`, by the rule of program_filter.h over `filter` (null,
// damaged or busy: every row everywhere, no program off).
SimpleModeChoice ChooseForProgram(const SettingsBlock& block, const ProgramFilterMap* filter, int keyCode,
                                  int modifier, const std::string& program);

// Whether the filter last written limits any row or names a program Keyloom is off in;
// when not, every combination acts everywhere and the program in front need not be asked.
bool ProgramFilterLimitsAnything();

// The folded executable file name of the process owning the foreground window;
// empty when it cannot be found.
std::string ForegroundProgramName();

}  // namespace kl
