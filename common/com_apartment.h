// COM for the shell's links, folders, dialogs and verbs, set up on the calling thread at
// its first use instead of at the program's start: it costs the process time and
// memory that a run which never opens a link or a folder never needs. A thread that has
// an apartment already (its own or the installer's) is left as it is; one set up here
// stays for the rest of the thread's life.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace kl {

inline void EnsureComApartment() {
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (CoGetApartmentType(&type, &qualifier) == S_OK) return;
    CoInitialize(nullptr);
}

}  // namespace kl
