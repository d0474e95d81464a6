#include <windows.h>

#include "fault_guard.h"
#include "functions/launch_functions.h"

namespace kl::support {

namespace {

using GetConnectedStateFn = BOOL(WINAPI*)(LPDWORD, DWORD);
using AutoDialFn = BOOL(WINAPI*)(DWORD, HWND);
using AutoDialHangupFn = BOOL(WINAPI*)(DWORD);

// "wininet.dll" for one call: taken when already loaded, otherwise loaded and
// unloaded again once.
class Wininet {
public:
    Wininet() : module_(GetModuleHandleA("wininet.dll")) {
        if (!module_) module_ = loaded_ = LoadLibraryA("wininet.dll");
    }
    ~Wininet() {
        if (loaded_) FreeLibrary(loaded_);
    }
    Wininet(const Wininet&) = delete;
    Wininet& operator=(const Wininet&) = delete;
    template <class Fn>
    Fn Get(const char* name) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_ = nullptr;
    HMODULE loaded_ = nullptr;
};

// 1 connected, 0 not connected, -1 the state cannot be asked.
int ConnectedState(const Wininet& wininet) {
    auto connected = wininet.Get<GetConnectedStateFn>("InternetGetConnectedState");
    if (!connected) return -1;
    DWORD flags = 0;
    return connected(&flags, 0) ? 1 : 0;
}

}  // namespace

void DialUp(SettingsBlock&, const Params&) {
    Wininet wininet;
    if (ConnectedState(wininet) != 0) return;
    if (auto dial = wininet.Get<AutoDialFn>("InternetAutoDial")) {
        const NestedDispatch dialog;  // the dial-up dialog has a loop of its own
        dial(0, nullptr);
    }
}

void HangUp(SettingsBlock&, const Params&) {
    Wininet wininet;
    if (ConnectedState(wininet) != 1) return;
    if (auto hangup = wininet.Get<AutoDialHangupFn>("InternetAutoDialHangup")) {
        const NestedDispatch dialog;
        hangup(0);
    }
}

}  // namespace kl::support
