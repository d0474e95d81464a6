#include "macro/counter.h"

namespace kl::support {

std::int32_t NextNumber(SettingsBlock& block, std::int32_t start, std::int32_t step) {
    if (!block.CounterStarted) {
        block.CounterStarted = kTrue;
        block.CounterValue = start;
    } else {
        block.CounterValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(block.CounterValue) +
                                                       static_cast<std::uint32_t>(step));
    }
    return block.CounterValue;
}

}  // namespace kl::support
