// The execution side of the function catalogue: each group of functions lives
// in its own module and lists its IDs here. An ID in no group is "not found".
#pragma once

#include <cstdint>
#include <span>

#include "params.h"
#include "settings_block.h"

namespace kl::support {

// A function runs synchronously on the caller's thread. It reports problems of
// its own through the block's StatusText and returns normally; it throws an
// exception (std::exception with a message) only for a real error, which the
// dispatcher reports as "EXCEPTION <message>".
using FunctionHandler = void (*)(SettingsBlock& block, const Params& params);

struct FunctionEntry {
    std::uint32_t id;
    FunctionHandler run;
};

// The groups. Each returns its entries; the dispatcher finds an ID among them.
std::span<const FunctionEntry> ProgramControlFunctions();  // 1-4, 18, 98, 144, 162, 163, 176-178, 193, 194, 229
std::span<const FunctionEntry> WindowsKeyFunctions();      // 179-183
std::span<const FunctionEntry> LaunchFunctions();          // 16, 17, 19-23, 113-116
std::span<const FunctionEntry> WindowFunctions();          // 32-38, 64-78, 80, 81, 184, 185, 192, 198, 224-228
std::span<const FunctionEntry> SessionFunctions();         // 48-52, 199
std::span<const FunctionEntry> SoundPlayerFunctions();     // 195-197, 200, 256-279
std::span<const FunctionEntry> DirPlayerFunctions();       // 208-216
std::span<const FunctionEntry> TypingFunctions();          // 96, 97, 99-101, 160, 161, 164

// The handler of an ID, or null when no group has it.
FunctionHandler FindFunction(std::uint32_t id);

}  // namespace kl::support
