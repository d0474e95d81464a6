// The record journal: keyboard events into the block's macro.
#include <windows.h>

#include "attach.h"
#include "platform.h"
#include "macro_record.h"
#include "trace.h"

using namespace kl;

extern "C" LRESULT CALLBACK KLJournalRecordProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
    SettingsBlock* b = hook::g_process.block;
    if (!b) return 0;
    switch (code) {
        case HC_ACTION:
            if (!b->SysModal && lParam) {
                auto* record = reinterpret_cast<EVENTMSG*>(lParam);
                std::uint32_t message = record->message;
                const std::uint32_t window = WordFromHandle(record->hwnd);
                if (StoreRecordedKey(*b, message, record->paramL, record->paramH, window)) {
                    hook::DebugTrace(*b, hook::RealPlatform(), "setting macro line");
                    record->message = message;
                }
            }
            break;
        case HC_SYSMODALON:
            b->SysModal = 1;
            break;
        case HC_SYSMODALOFF:
            b->SysModal = 0;
            if (hook::RealPlatform().Unhook(hook::ToHook(b->JournalHook))) {
                b->JournalHook = 0;
                b->JournalMode = 0;
            }
            break;
        default:
            break;
    }
    return 0;
}
