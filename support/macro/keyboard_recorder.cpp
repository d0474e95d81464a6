// Where the system refuses the record journal, keys are recorded through a
// low-level keyboard hook on the calling thread, in the journal's own format.
#include <windows.h>

#include "macro/journal_hooks.h"
#include "macro/recording.h"
#include "macro_record.h"

namespace kl::support {
namespace {

SettingsBlock* g_block = nullptr;
HHOOK g_hook = nullptr;

LRESULT CALLBACK RecordKeyboard(int code, WPARAM wParam, LPARAM lParam) {
    SettingsBlock* block = g_block;
    if (code == HC_ACTION && block && lParam && g_hook && block->JournalHook == HandleWord(g_hook)) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        std::uint32_t message = static_cast<std::uint32_t>(wParam);
        // As the journal reports keys: the key in the low byte, the scan code
        // above it; the repeat count 1 with bit 15 for extended keys.
        const std::uint32_t paramL = (key.vkCode & 0xFF) | ((key.scanCode & 0xFF) << 8);
        const std::uint32_t paramH = 1u | ((key.flags & LLKHF_EXTENDED) ? 0x8000u : 0u);
        StoreRecordedKey(*block, message, paramL, paramH, HandleWord(GetForegroundWindow()));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool StartKeyboardRecorder(SettingsBlock& block) {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&RecordKeyboard), &self);
    g_block = &block;
    g_hook = SetWindowsHookExA(WH_KEYBOARD_LL, RecordKeyboard, self, 0);
    block.JournalHook = HandleWord(g_hook);
    return g_hook != nullptr;
}

bool EndKeyboardRecorder() {
    const HHOOK hook = g_hook;
    SettingsBlock* block = g_block;
    g_hook = nullptr;
    g_block = nullptr;
    if (!hook || !UnhookWindowsHookEx(hook)) return false;
    if (block && block->JournalHook == HandleWord(hook)) {
        block->JournalHook = 0;
        block->JournalMode = 0;
    }
    return true;
}

}  // namespace kl::support
