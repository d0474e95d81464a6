// How a collaborator of the main window reaches the block it works on. It is looked up
// anew at each use: a box or a call into klsupport lets other messages run, and the
// block may be gone afterwards (the libraries freed at the end).
#pragma once

#include "settings_block.h"

namespace kl {

class BlockAccess {
public:
    using Source = SettingsBlock* (*)();
    explicit BlockAccess(Source source) : source_(source) {}
    // The block, or null when there is none (any more).
    SettingsBlock* operator()() const { return source_ ? source_() : nullptr; }

private:
    Source source_;
};

}  // namespace kl
