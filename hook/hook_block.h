// This copy's view of the shared block, and the helpers every hook procedure
// shares: trace texts and notifications to the main window.
#pragma once

#include <windows.h>

#include "settings_block.h"

namespace kl::hook {

// The mapped block, or null: every procedure lets everything through then.
SettingsBlock* Block();

void AttachBlock();
void DetachBlock();

inline void Trace(const char* text) { OutputDebugStringA(text); }

// Posts the notification to the main window and to every top-level window.
void NotifyKeyloom(WPARAM wParam, LPARAM lParam);

}  // namespace kl::hook
