// End-to-end latency of a hotkey: from the synthesised key event that fires it
// to the function starting inside keyloom.exe (the dispatcher marks the start
// in the block's CurrentStatus), 100 presses in hook mode and in simple mode.
// The hook fires on the key's release; a system registration on its press. Also the
// time from starting keyloom.exe to its tray icon.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "model/hotkey_store.h"
#include "registry_names.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/synth_input.h"
#include "testing/target_program.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr int kPresses = 100;
constexpr int kToggleWindowsKey = 178;
constexpr int kStarted = 265;
constexpr int kModifiers = kCtrl | kShift;
constexpr WORD kKey = 'K';

double Now() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool KeysUp() { return GetAsyncKeyState(VK_SHIFT) >= 0 && GetAsyncKeyState(VK_CONTROL) >= 0 && GetAsyncKeyState(kKey) >= 0; }

void Measure(bool simpleMode) {
    const char* mode = simpleMode ? "simple mode" : "hook mode";
    DeleteKeyloomKey();
    const std::string base = std::string(kKeyloomKey) + "\\";
    SetString(base, reg::kSimpleMode, simpleMode ? "1" : "0");
    SetString(base, reg::kNoSysTray, "1");
    SetString(base, reg::kConfirmHotkeys, "0");
    HotkeyStore(reg::kHotkeysKey, nullptr).StoreHotkey(-1, kKey, kModifiers, kToggleWindowsKey, "bench", "");

    SettingsMap map;
    SettingsBlock& b = map.block();
    KeyloomProcess app;
    if (!app.WaitForWindow() || !PollUntil([&] { return b.KeyloomEnabled != 0 && (simpleMode || b.HooksInstalled); })) {
        std::printf("%s: keyloom.exe did not start\n", mode);
        return;
    }
    TargetProgram target;
    if (!target.ready()) {
        std::printf("%s: the target program did not get the focus\n", mode);
        return;
    }

    std::vector<double> latencies;
    int missed = 0;
    for (int i = 0; i < kPresses; ++i) {
        target.Focus();
        b.CurrentStatus = 0;
        PressModifiers(kModifiers);
        double start = 0;
        if (simpleMode) {
            start = Now();
            KeyDown(kKey);
            KeyUp(kKey);
        } else {
            KeyDown(kKey);
            start = Now();
            KeyUp(kKey);
        }
        double end = 0;
        const double give_up = start + 5000;
        while (Now() < give_up) {
            if (b.CurrentStatus == kStarted) {
                end = Now();
                break;
            }
            Sleep(0);
        }
        ReleaseModifiers(kModifiers);
        if (end > 0)
            latencies.push_back(end - start);
        else
            ++missed;
        PollUntil([&] { return b.HotkeysSuspended == 0 && KeysUp(); }, 5000);
    }
    DeleteKeyloomKey();

    if (latencies.empty()) {
        std::printf("%s: no press reached the function (%d missed)\n", mode, missed);
        return;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("hotkey latency, %s: median %.2f ms, worst %.2f ms, best %.2f ms over %zu presses (%d missed)\n",
                mode, latencies[latencies.size() / 2], latencies.back(), latencies.front(), latencies.size(), missed);
}

// From CreateProcess to the program idle in the tray: the main window exists and its
// message loop waits, which it reaches only after adding the tray icon.
void MeasureStart() {
    constexpr int kStarts = 5;
    std::vector<double> times;
    for (int i = 0; i < kStarts; ++i) {
        DeleteKeyloomKey();
        const double start = Now();
        KeyloomProcess app;
        if (!app.WaitForWindow()) {
            std::printf("start to tray icon: keyloom.exe did not start\n");
            return;
        }
        times.push_back(Now() - start);
        app.Close();
    }
    DeleteKeyloomKey();
    std::sort(times.begin(), times.end());
    std::printf("start to tray icon: median %.0f ms, worst %.0f ms over %d starts\n", times[times.size() / 2],
                times.back(), kStarts);
}

}  // namespace

int main() {
    std::printf("keyloom.exe, %d-bit build\n", static_cast<int>(sizeof(void*) * 8));
    MeasureStart();
    Measure(false);
    Measure(true);
    return 0;
}
