// tmMain, the main window's timer: the timer playback of the macro (JournalMode 4) step
// by step, or the journal playback's next run; switched by the notification codes -8
// and -7.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window/block_access.h"

namespace kl {

class MacroTimer {
public:
    explicit MacroTimer(BlockAccess block) : block_(block) {}
    void SetWindow(HWND window) { window_ = window; }

    // A tick of tmMain.
    void Tick();
    // -8: timer playback on, or off with what it holds let go.
    void TogglePlayback();
    // -7: -2 starts the timer, another negative number stops the playback, a positive
    // one is the interval in milliseconds (at least 100).
    void Control(std::int32_t argument);

private:
    void SetInterval(UINT ms);
    void Start();
    void Stop();

    BlockAccess block_;
    HWND window_ = nullptr;
    bool running_ = false;
    UINT interval_ = 1000;
};

}  // namespace kl
