// Installing and removing klhook's system-wide hooks. The block's HooksInstalled
// flag, which the hook library reads too, tells whether they are in place.
#pragma once

#include <string>

namespace kl {

void InstallHooks();
void RemoveHooks();

// Both answer with a short status text: "DLL not loaded", "Already hooked", "Hooked",
// "NOT Hooked" or "Not hooked"; empty when the block is not mapped.
std::string Hook();
std::string Unhook();

}  // namespace kl
