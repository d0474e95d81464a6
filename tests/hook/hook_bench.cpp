// Figures for klhook.dll: the cost of one keyboard-hook call for a key that is
// no hotkey with a full 256-row table, against a plain scan of the same 4 KB
// table in this process; the library's size and import list.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "settings_block.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::testing;

namespace {

using HookProc = LRESULT WINAPI(int, WPARAM, LPARAM);

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

template <class Body>
double NanosecondsPerCall(int calls, Body body) {
    LARGE_INTEGER a, z;
    QueryPerformanceCounter(&a);
    for (int i = 0; i < calls; ++i) body(i);
    QueryPerformanceCounter(&z);
    return Seconds(a, z) * 1e9 / calls;
}

// The plain loop: every row compared, no early end.
int ScanTable(const HotkeyEntry* rows, int key, int modifier) {
    for (int i = 0; i < kHotkeyRows; ++i)
        if (rows[i].Key == key && rows[i].Modifier == modifier && rows[i].Flag == 0) return rows[i].ID;
    return 0;
}

void PrintImports(HMODULE module) {
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         dir.VirtualAddress && d->Name; ++d) {
        int count = 0;
        for (auto* t = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk); t->u1.AddressOfData; ++t)
            ++count;
        std::printf("  imports %-14s %d functions\n", reinterpret_cast<const char*>(base + d->Name), count);
    }
}

}  // namespace

int main() {
    SettingsMap map;
    std::memset(&map.block(), 0, sizeof(SettingsBlock));
    map->BlockSize = kSettingsBlockSize;
    map->KeyloomEnabled = kTrue;
    // A full table: 256 rows on keys 'A'..'Y' with all kinds of modifiers, none on 'Z'.
    for (int i = 0; i < kHotkeyRows; ++i) {
        const int key = 'A' + i % 25;
        map->Hotkeys[i] = HotkeyEntry{i + 1, key, (i / 25) % 16, 0};
        ++map->HotkeyCountPerKey[key];
    }
    // One key whose only row is the last one, with other modifiers: the hook walks all rows.
    map->Hotkeys[kHotkeyRows - 1] = HotkeyEntry{kHotkeyRows, VK_F12, kModWin | kModShift, 0};
    --map->HotkeyCountPerKey['A' + (kHotkeyRows - 1) % 25];
    map->HotkeyCountPerKey[VK_F12] = 1;

    Library lib("klhook.dll");
    auto* kbd = lib.Get<HookProc>("KLKbdHookProc");
    if (!kbd) {
        std::printf("klhook.dll or KLKbdHookProc missing\n");
        return 1;
    }
    constexpr int kCalls = 200000;
    volatile LRESULT sink = 0;
    const double noHotkey = NanosecondsPerCall(kCalls, [&](int i) { sink = sink + kbd(0, 'Z', i & 1 ? 0xC0000001 : 1); });
    const double fullWalk = NanosecondsPerCall(kCalls, [&](int i) { sink = sink + kbd(0, VK_F12, i & 1 ? 0xC0000001 : 1); });
    const double plainScan =
        NanosecondsPerCall(kCalls, [&](int i) { sink = sink + ScanTable(map->Hotkeys, 'Z', i & 1); });
    const double asyncKey = NanosecondsPerCall(kCalls, [&](int) { sink = sink + GetAsyncKeyState(VK_LWIN); });

    std::printf("klhook bench (%d calls each, QueryPerformanceCounter, this machine under Wine)\n", kCalls);
    std::printf("  KLKbdHookProc, key without hotkey, 256-row table : %8.1f ns/call\n", noHotkey);
    std::printf("  KLKbdHookProc, key whose only row is row 255     : %8.1f ns/call\n", fullWalk);
    std::printf("  plain loop over the 4 KB table (256 rows)        : %8.1f ns/scan\n", plainScan);
    std::printf("  of which GetAsyncKeyState (called twice a key)   : %8.1f ns/call\n", asyncKey);

    const std::string path = BinDir() + "klhook.dll";
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info))
        std::printf("  klhook.dll size: %lu bytes\n", static_cast<unsigned long>(info.nFileSizeLow));
    PrintImports(lib.handle());
    return sink == 12345 ? 1 : 0;
}
