// Requests to the main window go through the registered notification message.
#pragma once

#include <windows.h>

#include "notify_codes.h"
#include "settings_block.h"

namespace kl::support {

// Sends the notification with SendNotifyMessageA when MainWindow names an
// existing window and NotifyMessage is set; otherwise does nothing.
void NotifyMainWindow(const SettingsBlock& block, WPARAM wParam, LPARAM lParam);

}  // namespace kl::support
