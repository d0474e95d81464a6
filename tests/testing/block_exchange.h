// What a test and tests/helpers/block_peer.exe write into the shared block for each
// other, and how each checks the other's values: a 32-bit and a 64-bit process must
// see the same bytes. Header only, so the peer needs no test library.
#pragma once

#include <windows.h>

#include <cstring>

#include "handle_words.h"
#include "settings_block.h"
#include "text255.h"

namespace kl::testing {

// Values that differ in every byte and put the sign bit of handles to use.
inline void WriteTestSide(SettingsBlock& b) {
    b.MainWindow = 0x80012345u;
    b.NotifyMessage = 0xC0DEu;
    b.CollapsedWindows[25] = 0xFFFFFFFEu;
    b.Hotkeys[255] = HotkeyEntry{255, 256 + 0x5B, kModCtrl | kModAlt, 0};
    b.StopwatchStartTime = 46000.125;
    SetText255(b.StatusText, "written by the test");
    b.KeyRemap.Entries[100] = KeyRemapEntry{1, 2, 3, 4, 5};
    b.MacroEvents[1024] = MacroEvent{0x201, 0x00640032u, 7, 0x80004000u, 0x7FFF0001u};
    b.Bookmarks[9] = 0x00010002u;
}

// The number of the first value of WriteTestSide that the block does not hold, or 0.
inline int CheckTestSide(const SettingsBlock& b) {
    int n = 0;
    if (++n, b.MainWindow != 0x80012345u) return n;
    if (++n, b.NotifyMessage != 0xC0DEu) return n;
    if (++n, b.CollapsedWindows[25] != 0xFFFFFFFEu) return n;
    if (++n, b.Hotkeys[255].ID != 255 || b.Hotkeys[255].Key != 256 + 0x5B ||
             b.Hotkeys[255].Modifier != (kModCtrl | kModAlt))
        return n;
    if (++n, b.StopwatchStartTime != 46000.125) return n;
    if (++n, GetText255(b.StatusText) != "written by the test") return n;
    if (++n, b.KeyRemap.Entries[100].ForceModifiers != 5 || b.KeyRemap.Entries[100].FromScan != 1) return n;
    if (++n, b.MacroEvents[1024].Window != 0x7FFF0001u || b.MacroEvents[1024].Delay != 0x80004000u) return n;
    if (++n, b.Bookmarks[9] != 0x00010002u) return n;
    // The main window's word widens to the same handle value a 32-bit program holds.
    if (++n, reinterpret_cast<INT_PTR>(WindowFromWord(b.MainWindow)) != static_cast<INT_PTR>(-0x7FFEDCBB)) return n;
    return 0;
}

inline void WritePeerSide(SettingsBlock& b) {
    b.LastHotkey = 254;
    b.CollapsedHeights[0] = -7;
    b.StopwatchPauseTime = -2.25;
    SetText255(b.MacroName, "written by the peer");
    b.KeyRemap.Count = 101;
    b.HooksInstalled = 1;
    b.Reserved1568 = static_cast<std::int32_t>(sizeof(void*));  // the peer's bitness
}

inline int CheckPeerSide(const SettingsBlock& b) {
    int n = 0;
    if (++n, b.LastHotkey != 254) return n;
    if (++n, b.CollapsedHeights[0] != -7) return n;
    if (++n, b.StopwatchPauseTime != -2.25) return n;
    if (++n, GetText255(b.MacroName) != "written by the peer") return n;
    if (++n, b.KeyRemap.Count != 101) return n;
    if (++n, b.HooksInstalled != 1) return n;
    return 0;
}

}  // namespace kl::testing
