// One step of the master volume: a tenth of the control's range.
#pragma once

#include <cstdint>

namespace kl::support {

// The value after one step up or down from `current`, kept within the bounds.
constexpr std::uint32_t NextVolume(std::uint32_t current, std::uint32_t minimum, std::uint32_t maximum, bool up) {
    if (maximum < minimum) return current;
    const std::uint64_t step = (static_cast<std::uint64_t>(maximum) - minimum) / 10;
    const std::int64_t next = up ? static_cast<std::int64_t>(current) + static_cast<std::int64_t>(step)
                                 : static_cast<std::int64_t>(current) - static_cast<std::int64_t>(step);
    if (next < static_cast<std::int64_t>(minimum)) return minimum;
    if (next > static_cast<std::int64_t>(maximum)) return maximum;
    return static_cast<std::uint32_t>(next);
}

}  // namespace kl::support
