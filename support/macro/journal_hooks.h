// Installing klhook's journal procedures, and the way tests keep a journal
// from being installed so that the fallbacks run.
#pragma once

#include <windows.h>

#include "handle_words.h"
#include "settings_block.h"

namespace kl::support {

using InstallHookFunction = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);

// SetWindowsHookExA; replaced only by tests.
extern InstallHookFunction g_installJournalHook;

// klhook.dll as loaded in this process, when the block's HookModule names it.
inline HMODULE HookModuleOf(const SettingsBlock& block) {
    return ModuleMatchingToken(block.HookModule, "klhook.dll");
}
inline HHOOK HookOf(std::uint32_t handle) { return HandleFromWord<HHOOK>(handle); }
inline std::uint32_t HandleWord(const void* p) { return WordFromHandle(p); }

// Removes the hook in JournalHook, if any, and clears the field. Returns the
// result of the removal (false when there was nothing to remove).
bool RemoveJournalHook(SettingsBlock& block);

// Sets both Windows keys, Shift, Alt and Ctrl (with their left and right
// codes) to up in the calling thread's keyboard state.
void ClearModifierKeys();

}  // namespace kl::support
