// The option values of the base key: their names, block fields and defaults.
#pragma once

#include <cstdint>
#include <span>

#include "settings_block.h"

namespace kl::support {

enum class OptionKind { Truth, Number, Text };

struct Option {
    const char* name;
    OptionKind kind;
    std::int32_t SettingsBlock::*field;  // Truth and Number
    Text255 SettingsBlock::*text;        // Text
    bool hasDefault;                     // false: the defaults leave the field alone
    std::int32_t defaultValue;
};

// In the order LoadSettingsIntoMap reads them.
std::span<const Option> LoadedOptions();

// In the order SaveSettingsFromMap writes them.
std::span<const Option> SavedOptions();

}  // namespace kl::support
