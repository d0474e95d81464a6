// A block created as keyloom.exe creates it with klhook loaded into it, a main
// window that records notifications, and an edit control in another process.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "win_handles.h"

namespace kl::testing {

// Pumps this thread's messages until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

class EditTarget {
public:
    EditTarget();
    ~EditTarget();
    HWND edit() const { return edit_; }
    std::string Text() const;
    void Clear() const;
    // Waits until the edit control holds `text`.
    bool WaitText(const std::string& text, DWORD timeoutMs = 10000) const;

private:
    UniqueHandle process_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

class MacroTest : public ::testing::Test {
protected:
    MacroTest();
    ~MacroTest() override;
    SettingsBlock& b() { return map_.block(); }

    // The (wParam, lParam) pairs notified to the main window so far.
    std::vector<std::pair<WPARAM, LPARAM>> notes_;
    bool Noted(WPARAM w, LPARAM l) const;

    SettingsMap map_;
    Library hook_{"klhook.dll"};
    HWND main_ = nullptr;
    UINT message_ = 0;
};

}  // namespace kl::testing
