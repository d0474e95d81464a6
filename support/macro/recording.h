// Recording a macro: klhook's record journal, or where the system refuses
// journal hooks, a low-level keyboard hook on the calling thread.
#pragma once

#include <cstdint>
#include <functional>

#include "settings_block.h"

namespace kl::support {

bool StartRecording(SettingsBlock& block);
bool StopRecording(SettingsBlock& block);

// The function ID bound to the stored hotkey on key and modifier set, 0 when
// none. Default: RegisteredHotkeyEx and GetHotkey of this library.
using HotkeyFunctionLookup = std::function<std::uint32_t(std::int32_t key, std::int32_t modifier)>;
void SetHotkeyFunctionLookup(HotkeyFunctionLookup lookup);

// Erases the keys of the hotkey that stopped the recording (functions 96 to 99)
// from the last four events. Only when no journal is installed.
void TrimRecording(SettingsBlock& block);

// The fallback recorder (keyboard_recorder.cpp).
bool StartKeyboardRecorder(SettingsBlock& block);
// Removes the recorder's hook if it is still installed; true when it was.
bool EndKeyboardRecorder();

}  // namespace kl::support
