// The shared block, opened or created as keyloom.exe does at start-up.
#pragma once

#include "settings_block.h"
#include "win_handles.h"

namespace kl::testing {

class SettingsMap {
public:
    SettingsMap();
    SettingsBlock& block() const { return *view_.as<SettingsBlock>(); }
    SettingsBlock* operator->() const { return view_.as<SettingsBlock>(); }
    explicit operator bool() const { return static_cast<bool>(view_); }

private:
    UniqueHandle mapping_;
    MappedView view_;
};

}  // namespace kl::testing
