// The options as SaveSettingsFromMap stores them, taken from the block, so that the
// program can tell whether anything changed since the last save, whoever changed it
// (the option pages, a function, the hook's speed keys).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings_block.h"

namespace kl {

struct OptionSnapshot {
    std::array<std::int32_t, 33> words{};
    std::string lastGotoDir;
    std::string profileName;
    bool operator==(const OptionSnapshot&) const = default;
};

OptionSnapshot TakeOptionSnapshot(const SettingsBlock& block);

}  // namespace kl
