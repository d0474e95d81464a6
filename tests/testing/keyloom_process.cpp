#include "testing/keyloom_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "testing/child_process.h"
#include "testing/registry.h"
#include "testing/support_library.h"

namespace kl::testing {

int EnglishLanguagePosition(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((dir + "*.lan").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = found.cFileName;
        name.resize(name.size() - 4);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    const auto it = std::find(names.begin(), names.end(), "english");
    return it == names.end() ? 0 : static_cast<int>(it - names.begin());
}

bool PollUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(10);
    }
}

HWND Focused(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool FocusReaches(HWND dlg, int control) {
    return PollUntil([&] { return Focused(dlg) == GetDlgItem(dlg, control); }, 3000);
}

void BringToFront(HWND window) {
    if (PollUntil([&] { return GetForegroundWindow() == window; }, 2000)) return;
    SetForegroundWindow(window);
    PollUntil([&] { return GetForegroundWindow() == window; }, 3000);
}

KeyloomProcess::KeyloomProcess() : KeyloomProcess(BinDir()) {}

KeyloomProcess::KeyloomProcess(const std::string& dir, StartLanguage language) {
    // The tests read English texts unless they stored a language themselves, whatever
    // the display language of the session.
    if (language == StartLanguage::English && !GetValue(kKeyloomKey, "Language") &&
        !GetValue(kKeyloomKey, "LanguageFile"))
        SetString(kKeyloomKey, "Language", std::to_string(EnglishLanguagePosition(dir)));
    std::string command = "\"" + dir + "keyloom.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    startTicks_ = GetTickCount();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
        ADD_FAILURE() << "cannot start " << command << " (error " << GetLastError() << ")";
        return;
    }
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
}

KeyloomProcess::~KeyloomProcess() {
    if (!process_) return;
    if (!Close()) {
        ADD_FAILURE() << "keyloom.exe did not end by itself";
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND KeyloomProcess::WaitForWindow(DWORD ms) {
    HWND window = nullptr;
    const bool found = PollUntil(
        [&] {
            // Another program's window may carry the same title.
            window = FindProcessWindow(GetProcessId(process_), kKeyloomTitle);
            return window != nullptr;
        },
        ms);
    if (!found) return nullptr;
    WaitForInputIdle(process_, ms);
    // The hidden window makes its controls once its message loop runs (a posted
    // message that Wine's WaitForInputIdle does not wait for): the tests read them.
    // The answer to a message sent once they are being made comes once they are all made,
    // with their texts.
    if (PollUntil([&] { return FindWindowExA(window, nullptr, "SysTabControl32", nullptr) != nullptr; }, ms)) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ms, &answer);
    }
    return window;
}

bool KeyloomProcess::WaitForExit(DWORD ms) {
    return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

DWORD KeyloomProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

bool KeyloomProcess::Close(DWORD ms) {
    if (!process_) return true;
    if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) return true;
    if (HWND window = FindProcessWindow(GetProcessId(process_), kKeyloomTitle))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit(ms);
}

}  // namespace kl::testing
