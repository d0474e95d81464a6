#include "macro/journal_hooks.h"

#include <initializer_list>

namespace kl::support {

InstallHookFunction g_installJournalHook = &SetWindowsHookExA;

bool RemoveJournalHook(SettingsBlock& block) {
    const std::uint32_t hook = block.JournalHook;
    if (!hook) return false;
    const bool removed = UnhookWindowsHookEx(HookOf(hook)) != FALSE;
    block.JournalHook = 0;
    return removed;
}

void ClearModifierKeys() {
    BYTE state[256] = {};
    if (!GetKeyboardState(state)) return;
    for (int vk : {VK_LWIN, VK_RWIN, VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_MENU, VK_LMENU, VK_RMENU, VK_CONTROL,
                   VK_LCONTROL, VK_RCONTROL})
        state[vk] = 0;
    SetKeyboardState(state);
}

}  // namespace kl::support
