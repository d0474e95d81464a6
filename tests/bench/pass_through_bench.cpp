// Simple mode's pass-through of a combination that no hotkey takes in the program in
// front: the registration given up, the combination replayed with SendInput and
// registered again once the system took the replay in. Median and worst of 100, and
// how often the replay fired the hotkey again (it must not).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "system/hotkey_pass_through.h"

using namespace kl;

namespace {

constexpr int kRuns = 100;
constexpr int kRegistration = 0x2001;
int keysSeen = 0;

LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_KEYDOWN && wp == 'K') ++keysSeen;
    return DefWindowProcA(w, m, wp, lp);
}

// Handles what is queued; the WM_HOTKEY messages among it.
int Pump() {
    int hotkeys = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_HOTKEY) ++hotkeys;
        DispatchMessageA(&msg);
    }
    return hotkeys;
}

}  // namespace

int main() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KeyloomPassThroughBench";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "pass-through bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    Pump();
    if (!RegisterHotKey(window, kRegistration, MOD_CONTROL | MOD_SHIFT, 'K')) {
        std::printf("pass-through: the combination cannot be registered\n");
        return 1;
    }
    std::vector<double> ms;
    int refired = 0;
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    for (int run = 0; run < kRuns; ++run) {
        QueryPerformanceCounter(&t0);
        const bool again = PassHotkeyThrough(window, kRegistration, MOD_CONTROL | MOD_SHIFT, 'K');
        QueryPerformanceCounter(&t1);
        if (!again) std::printf("pass-through: run %d could not register again\n", run);
        ms.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart));
        Sleep(5);
        refired += Pump();
    }
    UnregisterHotKey(window, kRegistration);
    std::sort(ms.begin(), ms.end());
    std::printf("simple-mode pass-through (unregister, replay, register), %d runs: median %.2f ms, worst %.2f ms\n",
                kRuns, ms[ms.size() / 2], ms.back());
    std::printf("  replayed keys received: %d of %d; hotkey fired again: %d\n", keysSeen, kRuns, refired);
    DestroyWindow(window);
    return 0;
}
