#include "testing/child_process.h"

#include <gtest/gtest.h>

#include <vector>

namespace kl::testing {

ChildProcess::ChildProcess(const std::string& path, const std::string& arguments) {
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start " << path << " (error " << GetLastError() << ")";
        return;
    }
    CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    id_ = pi.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (Running()) Terminate();
}

bool ChildProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) {
    return !process_ || WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

void ChildProcess::Terminate() {
    if (!process_) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

namespace {

struct Search {
    DWORD pid;
    const char* title;
    HWND found;
};

BOOL CALLBACK Visit(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid) return TRUE;
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    if (std::string(text) != s->title) return TRUE;
    s->found = w;
    return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD pid, const char* title) {
    Search s{pid, title, nullptr};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace kl::testing
