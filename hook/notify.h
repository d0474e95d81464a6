// Messages from the hook library to the main window. Every one carries the
// block's NotifyMessage with a code in lParam.
#pragma once

#include "notify_codes.h"
#include "platform.h"

namespace kl::hook {

// Keyloom registers its notification message, so a genuine one lies in the
// range of registered messages. Anything else in the block (zero before the
// main window stored it, or a damaged block) is never posted: a system
// message such as WM_CLOSE must not reach other programs' windows.
bool IsNotifyMessage(std::uint32_t message);

// Posts to the main window only (keyboard and get-message hooks).
void PostToMainWindow(const SettingsBlock& b, const Platform& p, WPARAM wParam, LPARAM lParam);

// Posts to the main window and then to every top-level window, with the trace
// "Nofifying Keyloom" (journal procedures and the journal stop).
void NotifyKeyloom(const SettingsBlock& b, const Platform& p, WPARAM wParam, LPARAM lParam);

}  // namespace kl::hook
