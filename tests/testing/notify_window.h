// A stand-in for keyloom's main window: a real top-level window that registers
// the notification message and records every notification it receives.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "settings_block.h"

namespace kl::testing {

struct Notification {
    WPARAM wParam;
    LPARAM lParam;
};

class NotifyWindow {
public:
    NotifyWindow();  // hidden until show()
    ~NotifyWindow();
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    UINT message() const { return message_; }
    // Writes MainWindow and NotifyMessage into the block.
    void AttachTo(SettingsBlock& block) const;
    void Show();

    // Pumps this thread's messages until `done` holds or about two seconds pass.
    bool PumpUntil(const std::function<bool()>& done);
    void Pump();

    std::vector<Notification> received;
    // Called inside the window procedure for each notification.
    std::function<void(WPARAM, LPARAM)> onNotify;
    // Keyboard messages that reached the window: message and virtual key.
    std::vector<std::pair<UINT, WPARAM>> keys;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    UINT message_ = 0;
};

}  // namespace kl::testing
