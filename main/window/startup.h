// What happens before any window exists: the data directory, the notification
// message and the single-instance rule.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

inline constexpr char kApplicationTitle[] = "Keyloom v1.06";

// The registered notification message; 0 until registered.
UINT NotifyMessage();
// True when a number was newly registered ("KLSysTray1", else the next free name).
bool RegisterNotifyMessage();

// Fixes "DataDir" (repairing it when it names no directory) and returns it, with a
// trailing backslash.
std::string InitializeDataDirectory();

// True when another instance runs; it has then been asked to show itself.
bool ActivateRunningInstance();

}  // namespace kl
