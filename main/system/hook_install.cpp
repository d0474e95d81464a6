#include "system/hook_install.h"

#include <windows.h>

#include <cstdint>

#include "system/library_binding.h"
#include "handle_words.h"

namespace kl {
namespace {

Handle32 SetHook(int kind, const char* procName) {
    const auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(HookExport(procName)));
    if (!proc) return 0;
    HHOOK hook = SetWindowsHookExA(kind, proc, HookModuleHandle(), 0);
    return WordFromHandle(hook);
}

void Release(Handle32& handle) {
    if (handle && UnhookWindowsHookEx(HandleFromWord<HHOOK>(handle))) handle = 0;
}

}  // namespace

// Both hooks or none: a half install is taken back, and HooksInstalled tells the truth.
void InstallHooks() {
    SettingsBlock* b = Block();
    if (!b || !HookModuleHandle()) return;
    Handle32 getMsg = SetHook(WH_GETMESSAGE, "KLGetMsgProc");
    Handle32 kbd = getMsg ? SetHook(WH_KEYBOARD, "KLKbdHookProc") : 0;
    if (!getMsg || !kbd) {
        Release(getMsg);
        Release(kbd);
    }
    b->GetMsgHook = getMsg;
    b->KbdHook = kbd;
    b->JournalHook = 0;
    b->HooksInstalled = getMsg && kbd ? kTrue : kFalse;
}

void RemoveHooks() {
    SettingsBlock* b = Block();
    if (!b) return;
    Release(b->GetMsgHook);
    Release(b->KbdHook);
    Release(b->JournalHook);
    b->HooksInstalled = kFalse;
}

std::string Hook() {
    SettingsBlock* b = Block();
    if (!b) return {};
    if (!HookModuleHandle()) return "DLL not loaded";
    if (b->HooksInstalled) return "Already hooked";
    InstallHooks();
    return b->HooksInstalled ? "Hooked" : "NOT Hooked";
}

std::string Unhook() {
    SettingsBlock* b = Block();
    if (!b) return {};
    if (!HookModuleHandle()) return "DLL not loaded";
    if (!b->HooksInstalled) return "Not hooked";
    RemoveHooks();
    return b->HooksInstalled ? "Hooked" : "NOT Hooked";
}

}  // namespace kl
