// The hook procedures exported to the window system.
#include "attach.h"
#include "getmsg_decision.h"
#include "kbd_decision.h"

using namespace kl::hook;

// WH_KEYBOARD: returns 1 to discard the key, 0 to let it through. For code 0
// and above the next hook is never called.
extern "C" LRESULT CALLBACK KLKbdHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
    kl::SettingsBlock* block = g_process.block;
    if (!block) return 0;
    return DecideKeyboard(*block, RealPlatform(), wParam, lParam) ? 1 : 0;
}

// WH_GETMESSAGE: lParam is the retrieved MSG, rewritten in place.
extern "C" LRESULT CALLBACK KLGetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code < 0) return CallNextHookEx(nullptr, code, wParam, lParam);
    kl::SettingsBlock* block = g_process.block;
    if (!block) return 0;
    if (code == HC_ACTION && block->KeyloomEnabled && lParam != 0)
        DecideGetMessage(*block, RealPlatform(), *reinterpret_cast<MSG*>(lParam));
    return CallNextHookEx(ToHook(block->GetMsgHook), code, wParam, lParam);
}
