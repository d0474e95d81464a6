// A long run: keyloom.exe in hook mode with one hotkey (Ctrl+Shift+K, "Close
// window"), and a window of this program with the focus that counts the close
// requests it gets and the ordinary keys it receives. Fires the hotkeys and the
// keys (KL_SOAK_HOTKEYS, default 20000; KL_SOAK_KEYS, default 200000) and reports
// keyloom.exe's handles, GDI and USER objects and private memory before and
// after, and every missed or doubled hotkey and lost key. Run by tools/soak.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/hotkey_store.h"
#include "registry_names.h"
#include "testing/keyloom_process.h"
#include "testing/process_memory.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/synth_input.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr int kCloseWindow = 32;

std::atomic<long> g_closes{0};
std::atomic<long> g_keys{0};

LRESULT CALLBACK TargetProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_CLOSE) {  // counted, not obeyed
        ++g_closes;
        return 0;
    }
    if (m == WM_KEYDOWN && wp == 'A') ++g_keys;
    return DefWindowProcA(w, m, wp, lp);
}

DWORD WINAPI TargetThread(void* ready) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KeyloomSoakTarget";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "Keyloom soak target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                             300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    SetFocus(w);
    *static_cast<HWND*>(ready) = w;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

struct Figures {
    DWORD handles = 0, gdi = 0, user = 0, windows = 0;
    SIZE_T privateBytes = 0;
};

// Wine answers GetProcessHandleCount only for the calling process: the system's
// handle table, counted for the process, serves then.
DWORD HandlesFromSystemTable(DWORD pid) {
    struct Entry {
        USHORT process, backTrace;
        UCHAR type, attributes;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::string buffer(1 << 20, '\0');
    for (int tries = 0; tries < 6; ++tries, buffer.resize(buffer.size() * 2)) {
        ULONG needed = 0;
        if (query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0)
            continue;
        const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
        const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
        DWORD mine = 0;
        for (ULONG i = 0; i < count; ++i)
            if (entries[i].process == static_cast<USHORT>(pid)) ++mine;
        return mine;
    }
    return 0;
}

DWORD WindowsOf(DWORD pid) {
    struct Count {
        DWORD pid, windows;
    } c{pid, 0};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto& c = *reinterpret_cast<Count*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != c.pid) return TRUE;
            ++c.windows;
            EnumChildWindows(w, [](HWND, LPARAM l) -> BOOL { ++reinterpret_cast<Count*>(l)->windows; return TRUE; }, lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&c));
    return c.windows;
}

Figures Measure(HANDLE process) {
    Figures f;
    const DWORD pid = GetProcessId(process);
    if (!GetProcessHandleCount(process, &f.handles) || f.handles == 0) f.handles = HandlesFromSystemTable(pid);
    f.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    f.user = GetGuiResources(process, GR_USEROBJECTS);
    f.windows = WindowsOf(pid);
    f.privateBytes = PrivateBytes(process);
    return f;
}

void Print(const char* when, const Figures& f) {
    std::printf("%-7s handles %lu, GDI objects %lu, USER objects %lu (windows %lu), private memory %.2f MB\n", when,
                static_cast<unsigned long>(f.handles), static_cast<unsigned long>(f.gdi),
                static_cast<unsigned long>(f.user), static_cast<unsigned long>(f.windows),
                f.privateBytes / (1024.0 * 1024.0));
}

long EnvNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// Waits until `counter` reaches `target`; false after `ms`.
bool WaitFor(const std::atomic<long>& counter, long target, DWORD ms) {
    return PollUntil([&] { return counter.load() >= target; }, ms);
}

}  // namespace

int main() {
    const long hotkeys = EnvNumber("KL_SOAK_HOTKEYS", 20000);
    const long keys = EnvNumber("KL_SOAK_KEYS", 200000);
    CleanRegistry clean;
    const std::string base = std::string(kKeyloomKey) + "\\";
    SetString(base, reg::kSimpleMode, "0");
    SetString(base, reg::kNoSysTray, "1");
    SetString(base, reg::kConfirmHotkeys, "0");
    {
        HotkeyStore store(reg::kHotkeysKey, nullptr);
        if (store.StoreHotkey(-1, 'K', kCtrl | kShift, kCloseWindow, "soak", "").id <= 0) return 2;
    }
    SettingsMap map;
    HWND target = nullptr;
    CloseHandle(CreateThread(nullptr, 0, TargetThread, &target, 0, nullptr));
    if (!PollUntil([&] { return target != nullptr; })) return 2;

    KeyloomProcess app;
    if (!app.WaitForWindow() || !PollUntil([&] { return map->HooksInstalled != 0 && map->KeyloomEnabled != 0; })) {
        std::printf("keyloom.exe did not start in hook mode\n");
        return 2;
    }
    SetForegroundWindow(target);

    long missed = 0, lost = 0, sentKeys = 0;
    const long keysPerHotkey = hotkeys > 0 ? keys / hotkeys : keys;
    auto fire = [&](long count, long keyCount) {
        long expected = g_closes.load();
        for (long i = 0; i < count; ++i) {
            PressCombination('K', kCtrl | kShift);
            ++expected;
            if (!WaitFor(g_closes, expected, 3000)) {
                ++missed;
                expected = g_closes.load();
            }
            for (long k = 0; k < keyCount; ++k) {
                KeyDown('A');
                KeyUp('A');
            }
            sentKeys += keyCount;
            if (!WaitFor(g_keys, sentKeys - lost, 3000)) {
                lost = sentKeys - g_keys.load();
            }
        }
    };

    fire(50, 10);  // everything loaded once before the first measure
    Sleep(1000);
    const long warmCloses = g_closes.load(), warmKeys = g_keys.load();
    missed = 0;
    const Figures before = Measure(app.handle());
    const DWORD start = GetTickCount();
    fire(hotkeys, keysPerHotkey);
    Sleep(2000);  // anything late or doubled arrives
    const DWORD seconds = (GetTickCount() - start) / 1000;
    const Figures after = Measure(app.handle());

    const long closes = g_closes.load() - warmCloses;
    const long received = g_keys.load() - warmKeys;
    const long doubled = closes > hotkeys - missed ? closes - (hotkeys - missed) : 0;
    std::printf("hotkeys %ld, executed %ld: missed %ld, doubled %ld\n", hotkeys, closes, missed, doubled);
    std::printf("ordinary keys %ld, received %ld\n", sentKeys - 10 * 50, received);
    std::printf("time %lu s\n", static_cast<unsigned long>(seconds));
    Print("before", before);
    Print("after", after);
    const bool grew = after.handles > before.handles || after.gdi > before.gdi || after.user > before.user ||
                      after.windows > before.windows;
    std::printf("growth: handles %+ld, GDI %+ld, USER %+ld, private memory %+.2f MB\n",
                static_cast<long>(after.handles) - static_cast<long>(before.handles),
                static_cast<long>(after.gdi) - static_cast<long>(before.gdi),
                static_cast<long>(after.user) - static_cast<long>(before.user),
                (static_cast<double>(after.privateBytes) - static_cast<double>(before.privateBytes)) / (1024.0 * 1024.0));
    app.Close();
    return (missed || doubled || grew || received != sentKeys - 500) ? 1 : 0;
}
