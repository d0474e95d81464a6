// What each copy of the library does when a process loads and unloads it:
// open and map the shared block, or stay inert for the life of the process.
#pragma once

#include "platform.h"
#include "program_context.h"

namespace kl::hook {

struct ProcessState {
    HANDLE mapping = nullptr;         // the opened "KeyloomSettingsMap", or null
    SettingsBlock* block = nullptr;   // the mapped block; null keeps every procedure inert
    HANDLE filterMapping = nullptr;   // the opened "KeyloomProgramFilter", or null
    ProgramContext programs;          // this process's name and filter view
};

// The copy's own state in this process.
extern ProcessState g_process;

// Maps the block and, with it, the program filter (missing is fine), and reads
// the process's executable name.
void AttachToBlock(ProcessState& s);
void DetachFromBlock(ProcessState& s);

}  // namespace kl::hook
