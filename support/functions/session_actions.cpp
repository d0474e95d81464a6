#include "functions/session_actions.h"

namespace kl::support {

namespace {

SessionActionHandler g_handler = nullptr;

using LockWorkStationFn = BOOL(WINAPI*)();

}  // namespace

bool ExitSession(UINT flags) {
    if (g_handler) return g_handler(kSessionExitWindows, flags) != FALSE;
    return ExitWindowsEx(flags, 0) != FALSE;
}

bool LockSession() {
    if (g_handler) return g_handler(kSessionLock, 0) != FALSE;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    HMODULE loaded = nullptr;
    if (!user32) user32 = loaded = LoadLibraryA("user32.dll");
    bool locked = false;
    if (user32) {
        auto lock = reinterpret_cast<LockWorkStationFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "LockWorkStation")));
        locked = lock && lock();
    }
    if (loaded) FreeLibrary(loaded);
    return locked;
}

}  // namespace kl::support

extern "C" void WINAPI SetSessionActionHandler(kl::support::SessionActionHandler handler) {
    kl::support::g_handler = handler;
}
