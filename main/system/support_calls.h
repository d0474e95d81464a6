// Calls into klsupport.dll, resolved by name at the moment of the call. Each returns 0
// (false) when the block, the module or the export is missing.
#pragma once

#include <cstdint>

namespace kl {

// Text buffers handed to GetHotkey must hold 1024 bytes.
inline constexpr int kHotkeyTextBuffer = 1024;

std::int32_t CallExecuteFunctionEx(std::uint32_t functionId, const char* parameter);
bool CallGetHotkey(std::int32_t id, std::int32_t* modifier, std::int32_t* key, std::int32_t* functionId,
                   char* description, char* parameters);

// Loads the settings into the block again without switching hotkeys on or off.
bool ReloadSettings();
// The result of SaveSettingsFromMap.
std::int32_t SaveSettings();
// Has klsupport learn whether this system plays a journal, before the first macro.
bool ProbeJournalPlayback();

}  // namespace kl
