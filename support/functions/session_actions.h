// Ending and locking the user's session. Tests replace the two system calls
// through the export SetSessionActionHandler so that nothing really ends.
#pragma once

#include <windows.h>

namespace kl::support {

// What a replacement handler is asked to do.
inline constexpr UINT kSessionExitWindows = 0;  // ExitWindowsEx with the flags
inline constexpr UINT kSessionLock = 1;         // LockWorkStation (flags 0)

using SessionActionHandler = BOOL(WINAPI*)(UINT action, UINT flags);

// ExitWindowsEx(flags, 0), or the installed handler.
bool ExitSession(UINT flags);

// The system's "LockWorkStation" of "user32.dll", or the installed handler;
// false when the entry is missing or refuses.
bool LockSession();

}  // namespace kl::support

extern "C" void WINAPI SetSessionActionHandler(kl::support::SessionActionHandler handler);
