// The private memory of another process: the system's private bytes; where they read 0
// for another process (Wine), its page-file usage (the same figure on Windows), and
// failing both the committed private pages of its address space.
#pragma once

#include <windows.h>

namespace kl::testing {

SIZE_T PrivateBytes(HANDLE process);

}  // namespace kl::testing
