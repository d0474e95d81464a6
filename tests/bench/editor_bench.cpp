// The hotkey editor of keyloom.exe with the shipped catalogue and key names: the time
// from the menu command to the editor being ready for input (shown, in the foreground,
// the focus in its description field), for a new hotkey and for a stored one, and the time from OK to
// the hotkey's row in the block's table, which the hooks read. 20 rounds each, in hook
// mode (the table is the one the keyboard hook matches) and in simple mode.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "model/language.h"
#include "dialogs/edit_hotkey_ids.h"
#include "registry_names.h"
#include "testing/child_process.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "testing/synth_input.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;
namespace id = kl::editor_ids;

namespace {

constexpr int kRounds = 20;
constexpr int kMinimise = 35;

double Now() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Polls every millisecond; the time it took, or -1.
template <class Done>
double TimeUntil(double start, Done done, double limitMs = 10000) {
    for (;;) {
        if (done()) return Now() - start;
        if (Now() - start > limitMs) return -1;
        Sleep(1);
    }
}

void Report(const char* what, std::vector<double> ms) {
    std::erase_if(ms, [](double v) { return v < 0; });
    if (ms.empty()) {
        std::printf("%-46s no measurement\n", what);
        return;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-46s median %7.1f ms  min %7.1f  max %7.1f  (%zu rounds)\n", what, ms[ms.size() / 2], ms.front(),
                ms.back(), ms.size());
}

HWND Focused(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(thread, &info);
    return info.hwndFocus;
}

bool TableHas(const SettingsBlock& b, int key, int modifier) {
    for (const HotkeyEntry& row : b.Hotkeys)
        if (row.ID > 0 && row.Key == key && row.Modifier == modifier) return true;
    return false;
}

void Measure(bool simpleMode) {
    const char* mode = simpleMode ? "simple mode" : "hook mode";
    DeleteKeyloomKey();
    const std::string base = std::string(kKeyloomKey) + "\\";
    SetString(base, reg::kSimpleMode, simpleMode ? "1" : "0");
    SetString(base, reg::kNoSysTray, "1");
    SetString(base, reg::kConfirmHotkeys, "0");
    const int stored = HotkeyStore(reg::kHotkeysKey, nullptr).StoreHotkey(-1, 'J', 2, kMinimise, "bench", "").id;
    SetString(base, reg::kLastHotkey, std::to_string(stored));

    Language english;
    english.SetDataDirectory(BinDir());
    english.SetLanguageFile("english");
    english.Load();
    const std::string caption = english.Text(164);

    SettingsMap map;
    SettingsBlock& b = map.block();
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    if (!main || !PollUntil([&] { return b.KeyloomEnabled != 0 && (simpleMode || b.HooksInstalled); })) {
        std::printf("%s: keyloom.exe did not start\n", mode);
        return;
    }
    const DWORD pid = GetProcessId(app.handle());
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);

    std::vector<double> openNew, openStored, okToTable;
    auto open = [&](int command, std::vector<double>& times) -> HWND {
        HWND dlg = nullptr;
        const double start = Now();
        PostMessageA(main, WM_COMMAND, command, 0);
        times.push_back(TimeUntil(start, [&] {
            if (!dlg) dlg = FindProcessWindow(pid, caption.c_str());
            return dlg && IsWindowVisible(dlg) && GetForegroundWindow() == dlg &&
                   Focused(thread) == GetDlgItem(dlg, id::ebDescription);
        }));
        return dlg;
    };
    auto close = [&](HWND dlg) {
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        PollUntil([&] { return !IsWindow(dlg); });
    };

    for (int round = 0; round < kRounds; ++round) {
        if (HWND dlg = open(ids::mnNewHotkey, openNew)) close(dlg);
        if (HWND dlg = open(ids::mnEditLastHotkey, openStored)) close(dlg);
    }
    // New hotkeys on F1 to F20 with Ctrl, each filled in by messages and confirmed.
    for (int round = 0; round < kRounds; ++round) {
        HWND dlg = open(ids::mnNewHotkey, openNew);
        if (!dlg) continue;
        const int key = VK_F1 + round;
        // The description typed as a user types it.
        HWND description = GetDlgItem(dlg, id::ebDescription);
        PressCombination('B', 0);
        PollUntil([&] { return GetWindowTextLengthA(description) > 0; }, 3000);
        SendMessageA(GetDlgItem(dlg, id::cbModifier), CB_SETCURSEL, 2, 0);
        SendMessageA(GetDlgItem(dlg, id::ebKey), WM_KEYDOWN, key, 1);
        SendMessageA(GetDlgItem(dlg, id::cbFunction), CB_SETCURSEL, 0, 0);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id::cbFunction, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id::cbFunction)));
        const double start = Now();
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        okToTable.push_back(TimeUntil(start, [&] { return TableHas(b, key, 2); }, 3000));
        PollUntil([&] { return !IsWindow(dlg); });
    }
    std::printf("%s:\n", mode);
    Report("  command to a cleared editor ready for input", openNew);
    Report("  command to a stored hotkey's editor ready", openStored);
    Report("  OK to the new row in the block's table", okToTable);
    app.Close();
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    Measure(true);
    Measure(false);
    DeleteKeyloomKey();
    return 0;
}
