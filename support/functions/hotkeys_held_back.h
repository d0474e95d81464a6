// Keyloom's own hotkeys held back (KeyloomEnabled off) while a function
// synthesises keys or runs a command that may, and put back as they were when
// the scope ends, also when a fault ends the function half-way.
#pragma once

#include "fault_guard.h"
#include "settings_block.h"

namespace kl::support {

class HotkeysHeldBack {
public:
    explicit HotkeysHeldBack(SettingsBlock& block) noexcept
        : enabled_(&block.KeyloomEnabled, block.KeyloomEnabled ? kTrue : kFalse) {
        block.KeyloomEnabled = kFalse;
    }

private:
    const RestoredState enabled_;
};

}  // namespace kl::support
