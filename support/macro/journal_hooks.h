// Installing klhook's journal procedures, and the way tests keep a journal
// from being installed so that the fallbacks run.
#pragma once

#include <windows.h>

#include "settings_block.h"

namespace kl::support {

using InstallHookFunction = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);

// SetWindowsHookExA; replaced only by tests.
extern InstallHookFunction g_installJournalHook;

inline HMODULE HookModuleOf(const SettingsBlock& block) {
    return reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(block.HookModule));
}
inline HHOOK HookOf(std::uint32_t handle) { return reinterpret_cast<HHOOK>(static_cast<UINT_PTR>(handle)); }
inline std::uint32_t HandleWord(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(p)); }

// Removes the hook in JournalHook, if any, and clears the field. Returns the
// result of the removal (false when there was nothing to remove).
bool RemoveJournalHook(SettingsBlock& block);

// Sets both Windows keys, Shift, Alt and Ctrl (with their left and right
// codes) to up in the calling thread's keyboard state.
void ClearModifierKeys();

}  // namespace kl::support
