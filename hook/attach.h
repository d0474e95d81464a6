// What each copy of the library does when a process loads and unloads it:
// open and map the shared block, or stay inert for the life of the process.
#pragma once

#include "platform.h"

namespace kl::hook {

struct ProcessState {
    HANDLE mapping = nullptr;         // the opened "KeyloomSettingsMap", or null
    SettingsBlock* block = nullptr;   // the mapped block; null keeps every procedure inert
};

// The copy's own state in this process.
extern ProcessState g_process;

void AttachToBlock(ProcessState& s);
void DetachFromBlock(ProcessState& s);

}  // namespace kl::hook
