// The end-to-end target: tests/helpers/e2e_target.exe started as a separate
// process, its window in the foreground, its log of received input readable.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "testing/child_process.h"
#include "testing/temp_dir.h"

namespace kl::testing {

inline constexpr char kTargetTitle[] = "Keyloom e2e target";

class TargetProgram {
public:
    TargetProgram();  // starts the program and waits for its window to have the focus
    // The same program copied under another executable name ("a.exe") and started.
    explicit TargetProgram(const std::string& exeName);
    HWND window() const { return window_; }
    ChildProcess& process() { return *process_; }
    bool ready() const { return window_ != nullptr; }

    // Gives the window the foreground again; true when it has it.
    bool Focus();
    // The lines logged so far ("down 75", "up 75", "close 0", ...).
    std::vector<std::string> Log() const;
    bool Logged(const std::string& line) const;
    // A point in the middle of the window's client area, in screen coordinates.
    POINT Centre() const;

private:
    TempDir dir_;
    std::string logPath_;
    std::unique_ptr<ChildProcess> process_;
    HWND window_ = nullptr;
};

}  // namespace kl::testing
