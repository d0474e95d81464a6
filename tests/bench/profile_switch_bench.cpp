// Time of a profile switch with 255 hotkeys in each of two profiles: the -6
// notification sent to keyloom.exe until it returns, with the other profile's hotkeys
// registered (simple mode) or in the hooks' table (hook mode) at its end. Ten switches
// each way per mode.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "model/profiles.h"
#include "registry_names.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr int kHotkeys = 255;
constexpr int kSwitches = 20;
constexpr int kToggleWindowsKey = 178;
constexpr LPARAM kLoadProfile = -6;

double Now() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Options(const std::string& key, bool simpleMode) {
    SetString(key, reg::kSimpleMode, simpleMode ? "1" : "0");
    SetString(key, reg::kNoSysTray, "1");
    SetString(key, reg::kConfirmHotkeys, "0");
}

// 255 distinct combinations: 17 keys times 15 modifier sets with Ctrl or Alt.
void StoreHotkeys(const std::string& hotkeyKey) {
    HotkeyStore store(hotkeyKey, nullptr);
    int n = 0;
    for (int key = 'A'; key <= 'Q' && n < kHotkeys; ++key)
        for (int modifiers = 1; modifiers <= 15 && n < kHotkeys; ++modifiers, ++n)
            store.StoreHotkey(-1, key, modifiers, kToggleWindowsKey, "bench", "");
}

bool Live(const SettingsBlock& b, bool simpleMode) {
    if (b.KeyloomEnabled == 0) return false;
    if (simpleMode) return GetText(std::string(kKeyloomKey) + "\\Temp", "MaxKeyID").value_or("") == "255";
    return b.HooksInstalled != 0 && b.Hotkeys[kHotkeys - 1].ID != 0;
}

void Measure(bool simpleMode) {
    const char* mode = simpleMode ? "simple mode" : "hook mode";
    DeleteKeyloomKey();
    const std::string base = std::string(kKeyloomKey) + "\\";
    Options(base, simpleMode);
    StoreHotkeys(reg::kHotkeysKey);
    AddProfile("Work", BinDir());
    Options(ProfileKey("Work"), simpleMode);
    StoreHotkeys(ProfileKey("Work") + "Hotkeys\\");

    SettingsMap map;
    SettingsBlock& b = map.block();
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    if (!main || !PollUntil([&] { return Live(b, simpleMode); })) {
        std::printf("%s: keyloom.exe did not start with its hotkeys\n", mode);
        return;
    }
    std::vector<double> times;
    int notLive = 0;
    for (int i = 0; i < kSwitches; ++i) {
        const WPARAM profile = (i % 2 == 0) ? 1 : 0;
        const double start = Now();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main, b.NotifyMessage, profile, kLoadProfile, SMTO_NORMAL, 30000, &ignored);
        times.push_back(Now() - start);
        if (!Live(b, simpleMode) || (Text255View(b.ProfileName) == "Work") != (profile == 1)) ++notLive;
    }
    std::sort(times.begin(), times.end());
    std::printf("%s: profile switch with %d hotkeys, %d switches: min %.1f ms, median %.1f ms, max %.1f ms; "
                "hotkeys not live at the end: %d\n",
                mode, kHotkeys, kSwitches, times.front(), times[times.size() / 2], times.back(), notLive);
    app.Close();
}

}  // namespace

int main() {
    Measure(true);
    Measure(false);
    DeleteKeyloomKey();
    return 0;
}
