// A program started for a test; ended by the destructor when still running.
#pragma once

#include <windows.h>

#include <string>

#include "win_handles.h"

namespace kl::testing {

class ChildProcess {
public:
    // Starts `path` with `arguments` (may be empty); check started().
    ChildProcess(const std::string& path, const std::string& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    bool Running() const;
    // Waits for the process to end; true when it has.
    bool WaitForExit(DWORD timeoutMs);
    // Ends it at once and waits for that.
    void Terminate();

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// The first visible top-level window of process `pid` with this title, or null.
HWND FindProcessWindow(DWORD pid, const char* title);

}  // namespace kl::testing
