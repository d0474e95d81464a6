// Changes to the calling thread's keyboard state: read, change, write back;
// nothing happens when the state cannot be read. The buffer lives on the
// stack, so two threads of one host never share it.
#pragma once

#include "platform.h"

namespace kl::hook {

template <class Change>
void ChangeKeyboardState(const Platform& p, Change change) {
    BYTE state[256];
    if (!p.ReadKeyboardState(state)) return;
    change(state);
    p.WriteKeyboardState(state);
}

}  // namespace kl::hook
