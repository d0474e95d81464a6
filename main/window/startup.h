// What happens before any window exists: the data directory, the notification
// message and the single-instance rule.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

// The registered notification message; 0 until registered.
UINT NotifyMessage();
// True when a number was newly registered ("KLSysTray1", else the next free name).
bool RegisterNotifyMessage();

// The data directory with a trailing backslash: "DataDir" when it names a folder with
// this program's own libraries, else the program's folder, which is then stored as
// "DataDir" unless the stored folder only cannot be reached now.
std::string InitializeDataDirectory();

// True when another instance runs; it has then been asked to show itself. Otherwise
// `instanceMutex` receives the mutex that marks this instance as the running one, which
// the caller holds (and closes) for the life of the process.
bool ActivateRunningInstance(HANDLE& instanceMutex);

}  // namespace kl
