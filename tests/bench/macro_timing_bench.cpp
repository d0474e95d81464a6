// Playback timing: a macro with known delays is played, the played events are
// timestamped by a low-level keyboard hook in this thread, and the measured
// spacing is set against the stored delays (median and worst error).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "handle_words.h"
#include "macro/playback.h"
#include "settings_block.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::testing;

namespace {

std::vector<LONGLONG> g_stamps;
bool g_sawFallback = false;
LONGLONG g_fallbackAt = 0;
LONGLONG g_firstSentAt = 0;

LRESULT CALLBACK Stamp(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && reinterpret_cast<KBDLLHOOKSTRUCT*>(l)->vkCode == VK_F24) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        g_stamps.push_back(now.QuadPart);
    }
    return CallNextHookEx(nullptr, code, w, l);
}

void Pump(const SettingsBlock& b) {
    const DWORD start = GetTickCount();
    MSG m;
    while (b.JournalMode != 0 && GetTickCount() - start < 60000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        if (!g_sawFallback && kl::support::FallbackPlayerActive()) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            g_fallbackAt = now.QuadPart;
            g_sawFallback = true;
        }
        if (!g_firstSentAt && b.MacroPosition > 0) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            g_firstSentAt = now.QuadPart;
        }
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    for (int i = 0; i < 20; ++i) {  // the last events' hook calls
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(5);
    }
}

}  // namespace

int main() {
    SettingsMap map;
    std::memset(&map.block(), 0, sizeof(SettingsBlock));
    map->BlockSize = kSettingsBlockSize;
    Library hook("klhook.dll");
    SettingsBlock& b = map.block();
    b.HookModule = ModuleToken(hook.handle());
    b.KeyloomEnabled = -1;

    // Delays cycle through 0, 15, 40, 100 and 250 ms; down and up alternate.
    const std::uint32_t cycle[] = {0, 15, 40, 100, 250};
    const int events = 100;
    for (int i = 0; i < events; ++i) {
        b.MacroEvents[i] = {static_cast<std::uint32_t>(i % 2 ? WM_KEYUP : WM_KEYDOWN), VK_F24, 1, cycle[i % 5], 0};
    }
    b.MacroLength = events;
    b.MacroRepeat = 1;

    const HHOOK stamp = SetWindowsHookExA(WH_KEYBOARD_LL, Stamp, GetModuleHandleA(nullptr), 0);
    LARGE_INTEGER freq, begin;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&begin);
    const BOOL started = kl::support::PlayMacro(b);
    LARGE_INTEGER returned;
    QueryPerformanceCounter(&returned);
    Pump(b);
    UnhookWindowsHookEx(stamp);

    std::printf("macro playback timing (%s path)\n",
                g_sawFallback ? "SendInput fallback" : "playback journal");
    std::printf("  PlayMacro returned %d; events stored %d, seen %zu\n", started, events, g_stamps.size());
    if (g_stamps.size() != static_cast<std::size_t>(events)) return 1;
    auto ms = [&](LONGLONG a, LONGLONG z) { return 1000.0 * double(z - a) / double(freq.QuadPart); };
    std::printf("  PlayMacro itself: %.1f ms; fallback taken over after %.1f ms\n", ms(begin.QuadPart, returned.QuadPart),
                g_sawFallback ? ms(begin.QuadPart, g_fallbackAt) : 0.0);
    std::printf("  first event sent after %.1f ms\n", g_firstSentAt ? ms(begin.QuadPart, g_firstSentAt) : 0.0);
    std::printf("  first event after PlayMacro: %.1f ms (includes the %u ms journal watchdog)\n",
                ms(begin.QuadPart, g_stamps[0]), kl::support::kJournalWatchdogMs);
    std::vector<double> errors;
    for (int i = 1; i < events; ++i) {
        const double measured = ms(g_stamps[i - 1], g_stamps[i]);
        errors.push_back(std::fabs(measured - double(b.MacroEvents[i].Delay & 0x7FFF)));
    }
    std::sort(errors.begin(), errors.end());
    std::printf("  spacing error against stored delays over %zu gaps: median %.2f ms, 90th %.2f ms, worst %.2f ms\n",
                errors.size(), errors[errors.size() / 2], errors[errors.size() * 9 / 10], errors.back());
    return 0;
}
