// A test window on a thread of its own that stops answering on request, as the
// window of a hung program does, until it is released (at the latest after 20 s).
#pragma once

#include <windows.h>

#include <atomic>

#include "testing/thread_window.h"
#include "win_handles.h"

namespace kl::testing {

class HungWindow {
public:
    HungWindow()
        : window_(ThreadWindow::Options().Title("Keyloom hung window").OnMessage([this](UINT m, WPARAM, LPARAM) {
              if (m != kHang) return;
              SetEvent(hanging_.get());
              WaitForSingleObject(release_.get(), 20000);
              woke_ = true;
          })) {}
    ~HungWindow() { Release(); }
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;

    ThreadWindow& window() { return window_; }
    // Makes the window's thread stop answering; true once it has.
    bool Hang() {
        PostMessageA(window_.hwnd(), kHang, 0, 0);
        return WaitForSingleObject(hanging_.get(), 5000) == WAIT_OBJECT_0;
    }
    bool StillHung() const { return !woke_; }
    void Release() { SetEvent(release_.get()); }

private:
    static constexpr UINT kHang = WM_APP + 40;
    UniqueHandle hanging_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle release_{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> woke_{false};
    ThreadWindow window_;
};

}  // namespace kl::testing
