#include "notify.h"

namespace kl::support {

void NotifyMainWindow(const SettingsBlock& block, WPARAM wParam, LPARAM lParam) {
    const HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(block.MainWindow));
    const UINT message = block.NotifyMessage;
    if (!window || !message || !IsWindow(window)) return;
    SendNotifyMessageA(window, message, wParam, lParam);
}

}  // namespace kl::support
