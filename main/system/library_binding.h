// The program's connection to the shared block and to its two libraries,
// klhook.dll and klsupport.dll, which are loaded at run time and never linked.
// Every export is looked up by name at the moment of the call; a missing block,
// module or export makes the call return 0.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "settings_block.h"

namespace kl {

// The mapped block, or null while it is not mapped.
SettingsBlock* Block();

bool OpenSettingsMap();
void InitializeLibraries();
// `saveSettings` false: a start that failed saves nothing of what it may have loaded.
void FinalizeLibraries(bool saveSettings = true);
// Why a library of the data folder could not be loaded by InitializeLibraries (the
// file and the system's reason), or "" when both were.
std::string LibraryLoadFailure();

// An export of klsupport.dll or klhook.dll; null when the module or the export is missing.
FARPROC SupportExport(const char* name);
FARPROC HookExport(const char* name);
HMODULE HookModuleHandle();

// A call into one of the libraries is in progress while one of these lives. Such a call
// may come back into the main window (klsupport notifies it with SendNotifyMessageA, which
// runs the window procedure on this thread): nothing may unload the library meanwhile,
// and whatever would open a modal loop waits until the outermost call has returned.
// A fault that the library contains may skip the ends of calls nested in one:
// each call's end puts the depth back to what it was when the call began.
class LibraryCall {
public:
    LibraryCall();
    ~LibraryCall();
    LibraryCall(const LibraryCall&) = delete;
    LibraryCall& operator=(const LibraryCall&) = delete;

private:
    const int outer_;
};
// How many library calls are in progress on this thread.
int LibraryCallDepth();
// Runs `whenIdle` each time the outermost library call returns (null: nothing).
void OnLibraryCallsEnded(void (*whenIdle)());

// The error raised by klsupport's last settings load ("too many hotkeys"), or "".
std::string LastSettingsError();

// The module file name, the data directory plus the file name.
std::string LibraryPath(const char* fileName);

}  // namespace kl
