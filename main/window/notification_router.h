// The notification router of the main window: the registered notification message
// (the code in lParam) from the hooks, klsupport, the tray icon and a second instance,
// handed to what the window does for each code. klsupport notifies with
// SendNotifyMessageA, which runs the window procedure on this thread in the middle of
// its call: a code that may open a box, a menu or a prompt, and everything arriving
// while the window is being created, waits in a queue until the call has returned.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "window/block_access.h"

namespace kl {

// What the main window does for the codes. Implemented by the window.
class NotificationTarget {
public:
    virtual bool Creating() const = 0;
    virtual bool Closed() const = 0;
    // The controls are made before a code that may show something runs.
    virtual void CompleteStartup() = 0;
    virtual void RunHotkey(std::uint32_t id) = 0;              // -11
    virtual void ShowMainWindow() = 0;                         // -9, a double click on the icon
    virtual void ToggleTimerPlayback() = 0;                    // -8
    virtual void ControlTimer(std::int32_t argument) = 0;      // -7
    virtual void LoadProfileNumber(int number) = 0;            // -6
    virtual void RunPrompt() = 0;                              // -5
    virtual void ShowIcon(HICON icon) = 0;                     // -2, one of the program's own icons
    virtual void PopupTrayMenu() = 0;                          // the right button on the icon

protected:
    ~NotificationTarget() = default;
};

class NotificationRouter {
public:
    NotificationRouter(NotificationTarget& target, BlockAccess block) : target_(target), block_(block) {}

    // One notification: handled now, or queued.
    void Route(WPARAM wp, LPARAM lp);
    bool HasWaiting() const { return !waiting_.empty(); }
    void Clear() { waiting_.clear(); }
    // What waited, in order, once neither a library call nor the creation is under way;
    // stops when the window closes or the block goes meanwhile.
    void RunWaiting();

private:
    void Handle(WPARAM wp, LPARAM lp);

    NotificationTarget& target_;
    BlockAccess block_;
    std::vector<std::pair<WPARAM, LPARAM>> waiting_;
};

}  // namespace kl
