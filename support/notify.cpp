#include "notify.h"
#include "fault_guard.h"
#include "handle_words.h"

namespace kl::support {

void NotifyMainWindow(const SettingsBlock& block, WPARAM wParam, LPARAM lParam) {
    const HWND window = WindowFromWord(block.MainWindow);
    const UINT message = block.NotifyMessage;
    if (!window || !message || !IsWindow(window)) return;
    const NestedDispatch dispatch;  // on the main window's own thread its procedure runs at once
    SendNotifyMessageA(window, message, wParam, lParam);
}

}  // namespace kl::support
