#include "notify.h"

#include "trace.h"

namespace kl::hook {

bool IsNotifyMessage(std::uint32_t message) { return message >= 0xC000 && message <= 0xFFFF; }

void PostToMainWindow(const SettingsBlock& b, const Platform& p, WPARAM wParam, LPARAM lParam) {
    const std::uint32_t message = b.NotifyMessage;
    const Handle32 window = b.MainWindow;
    if (!IsNotifyMessage(message) || window == 0) return;
    p.Post(ToWindow(window), message, wParam, lParam);
}

void NotifyKeyloom(const SettingsBlock& b, const Platform& p, WPARAM wParam, LPARAM lParam) {
    const std::uint32_t message = b.NotifyMessage;
    if (!IsNotifyMessage(message)) return;
    const Handle32 window = b.MainWindow;
    if (window != 0) p.Post(ToWindow(window), message, wParam, lParam);
    p.Post(HWND_BROADCAST, message, wParam, lParam);
    DebugTrace(b, p, "Nofifying Keyloom");
}

}  // namespace kl::hook
