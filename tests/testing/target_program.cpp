#include "testing/target_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "testing/keyloom_process.h"

namespace kl::testing {
namespace {

// build/<arch>/tests, where the test executables and the helper programs land.
std::string TestDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

}  // namespace

TargetProgram::TargetProgram() : TargetProgram(std::string()) {}

TargetProgram::TargetProgram(const std::string& exeName) : logPath_(dir_.path() + "target.log") {
    std::string program = TestDir() + "e2e_target.exe";
    if (!exeName.empty()) {
        const std::string copy = dir_.path() + exeName;
        if (!CopyFileA(program.c_str(), copy.c_str(), FALSE)) {
            ADD_FAILURE() << "cannot copy the target to " << copy;
            return;
        }
        program = copy;
    }
    process_ = std::make_unique<ChildProcess>(program, "\"" + logPath_ + "\"");
    if (!process_->started()) return;
    const DWORD pid = process_->id();
    PollUntil([&] { return Logged("ready 0") && FindProcessWindow(pid, kTargetTitle) != nullptr; });
    window_ = FindProcessWindow(pid, kTargetTitle);
    if (!window_) {
        ADD_FAILURE() << "the target window did not appear";
        return;
    }
    if (!Focus()) ADD_FAILURE() << "the target window did not get the foreground";
}

bool TargetProgram::Focus() {
    if (!window_) return false;
    if (GetForegroundWindow() != window_) SetForegroundWindow(window_);
    if (!PollUntil([&] { return GetForegroundWindow() == window_; }, 3000)) return false;
    // The window's thread takes the focus change from the display server (and the
    // keyboard state that comes with it) while it handles its messages; keys pressed
    // before that can meet a modifier state reset under them. A message sent to it is
    // answered once it has gone through what was queued.
    for (int round = 0; round < 2; ++round) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &ignored);
    }
    return true;
}

std::vector<std::string> TargetProgram::Log() const {
    std::vector<std::string> lines;
    std::ifstream in(logPath_);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

bool TargetProgram::Logged(const std::string& line) const {
    const auto lines = Log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

POINT TargetProgram::Centre() const {
    RECT r{};
    GetClientRect(window_, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(window_, &p);
    return p;
}

}  // namespace kl::testing
