// Running one function of the library by its ID, with the busy flag, the
// status reports and the error guard around it.
#pragma once

#include <cstdint>
#include <string>

#include "settings_block.h"

namespace kl::support {

// The whole execution of ExecuteFunctionEx: 1 when the function ran (or was
// skipped because another one is running), 0 when the block is not mapped, the
// ID is unknown or the function raised an error. Never throws. The busy flag
// (HotkeysSuspended) is cleared at the end, unless the function has started a
// journal playback: that holds it until it pauses or ends.
std::int32_t ExecuteFunctionById(std::uint32_t id, const char* parameter) noexcept;

// Reports an error that ended a function, or the part of one that ran later
// (from a timer): "EXCEPTION <message>" in StatusText, LastStatus -1.
void ReportFunctionError(SettingsBlock& block, const std::string& message) noexcept;

// The ID as the status texts show it: hexadecimal, upper-case, no leading zeros.
std::string HexId(std::uint32_t id);

}  // namespace kl::support
