// The Hotkeys page of keyloom.exe with 255 stored hotkeys: the time a refresh takes
// (the list read from the registry and shown again), a sort by each column, and a
// scroll through the whole list page by page, each timed from the command sent to the
// window until it has been handled and painted. 10 rounds each, simple mode.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "registry_names.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr int kRounds = 10;
constexpr int kHotkeys = 255;

BOOL CALLBACK FindGrid(HWND w, LPARAM p) {
    if (GetDlgCtrlID(w) != ids::sgHotkeys) return TRUE;
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
}

double Now() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.1f ms  min %7.1f  max %7.1f  (%zu rounds)\n", what, ms[ms.size() / 2], ms.front(),
                ms.back(), ms.size());
}

// Sends and waits until handled, then until the window has painted.
double Timed(HWND main, HWND grid, UINT msg, WPARAM wp, LPARAM lp) {
    const double start = Now();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, msg, wp, lp, SMTO_NORMAL, 20000, &ignored);
    UpdateWindow(grid);
    SendMessageTimeoutA(grid, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored);
    return Now() - start;
}

}  // namespace

int main() {
    CleanRegistry clean;
    SettingsMap map;
    SetString(std::string(kKeyloomKey) + "\\", reg::kSimpleMode, "1");
    SetString(std::string(kKeyloomKey) + "\\", reg::kNoSysTray, "1");
    HotkeyStore store(reg::kHotkeysKey, nullptr);
    for (int i = 0; i < kHotkeys; ++i)
        store.StoreHotkey(-1, 0x70 + i % 12, i % 16, 160, "hotkey " + std::to_string((i * 7919) % 1000),
                          "text " + std::to_string(i));
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    if (!main) {
        std::printf("keyloom.exe did not start\n");
        return 1;
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, map.block().NotifyMessage, 0, static_cast<LPARAM>(-9), SMTO_NORMAL, 20000, &ignored);
    HWND grid = nullptr;
    EnumChildWindows(main, FindGrid, reinterpret_cast<LPARAM>(&grid));
    std::printf("rows: %d\n", static_cast<int>(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0)));

    std::vector<double> refresh, sort, scroll;
    for (int round = 0; round < kRounds; ++round) {
        refresh.push_back(Timed(main, grid, map.block().NotifyMessage, 0, static_cast<LPARAM>(-9)));
        for (int column = 1; column <= 5; ++column)
            sort.push_back(Timed(main, grid, WM_COMMAND, ids::mnSortByFirst + column - 1, 0));
        const double start = Now();
        for (int page = 0; page < 30; ++page) SendMessageTimeoutA(grid, WM_VSCROLL, SB_PAGEDOWN, 0, SMTO_NORMAL, 5000, &ignored);
        SendMessageTimeoutA(grid, WM_VSCROLL, SB_TOP, 0, SMTO_NORMAL, 5000, &ignored);
        UpdateWindow(grid);
        scroll.push_back(Now() - start);
    }
    Report("refresh (255 hotkeys from the registry)", refresh);
    Report("sort by one column", sort);
    Report("scroll through the list, page by page", scroll);
    app.Close();
    return 0;
}
