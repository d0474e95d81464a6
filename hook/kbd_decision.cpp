#include "kbd_decision.h"

#include "journal_stop.h"
#include "modifiers.h"
#include "notify.h"
#include "program_rows.h"
#include "trace.h"

namespace kl::hook {
namespace {

constexpr int kVkShift = 16, kVkCtrl = 17, kVkAlt = 18, kVkEscape = 27, kVkLWin = 91, kVkRWin = 92,
              kVkNumLock = 144, kVkNoCode = 255;
constexpr WPARAM kMouseKeysFunction = 75;

bool Down(SHORT state) { return (state & 0x8000) != 0; }

// The option that keeps one of the system's Windows+letter shortcuts, or null.
const Bool32* SystemShortcutOption(const SettingsBlock& b, int key) {
    switch (key) {
    case 'D': return &b.WinD;
    case 'E': return &b.WinE;
    case 'F': return &b.WinF;
    case 'M': return &b.WinM;
    case 'R': return &b.WinR;
    case 'U': return &b.WinU;
    case 'V': return &b.WinV;
    default: return nullptr;
    }
}

// Windows+digit: Shift stores the foreground window, otherwise switch to the
// stored one. The foreground window, not this thread's active one: for programs
// of the other bitness the hook runs on Keyloom's own thread.
void Bookmark(SettingsBlock& b, const Platform& p, int digit) {
    if (b.ShiftDown) {
        b.Bookmarks[digit] = ToHandle32(p.ForegroundWindow());
        DebugTrace(b, p, "Bookmarked window");
    } else {
        DebugTrace(b, p, "Checking bookmarked window");
        const HWND window = ToWindow(b.Bookmarks[digit]);
        if (window && p.IsWindowHandle(window)) {
            DebugTrace(b, p, "Going to window");
            p.BringToTopAsync(window);
            p.SetForeground(window);
        }
    }
    b.SuppressStartMenu = 1;
}

// A key pressed while a Windows key is held. Returns whether it is discarded.
bool WindowsCombination(SettingsBlock& b, const Platform& p, std::int32_t key, bool released) {
    if (key == kVkLWin || key == kVkRWin) {
        bool consume;
        if (b.SuppressStartMenu) {
            consume = true;
            b.SuppressStartMenu = 0;
        } else {
            consume = !(key == kVkLWin ? b.LWinKeyEnabled : b.RWinKeyEnabled);
        }
        b.WinComboUsed = consume ? 1 : 0;
        return consume;
    }
    if (key == kVkNumLock) {
        if (!b.MouseKeysEnabled) return false;
        if (released) {
            PostToMainWindow(b, p, kMouseKeysFunction, kNotifyExecuteFunction);
            b.SuppressStartMenu = 1;
        }
        return true;
    }
    if (key >= '0' && key <= '9') {
        if (!b.BookmarksEnabled) return false;
        if (released) Bookmark(b, p, key - '0');
        return true;
    }
    if (const Bool32* keep = SystemShortcutOption(b, key)) {
        if (*keep && !b.HotkeysSuspended) return false;
        if (released) b.SuppressStartMenu = 1;
        return true;
    }
    return false;
}

// A hotkey row of this key that acts in this program: the key is discarded and
// fires the row on its release. A row that does not act here leaves the key to
// the program.
bool Hotkey(SettingsBlock& b, const Platform& p, std::int32_t key, std::uint8_t countIndex, bool released) {
    RowChoice choice;
    ChooseHotkeyRows(b, p, key, countIndex, ModifierBits(b), true, choice);
    if (choice.count == 0) return false;
    if (released && !b.HotkeysSuspended) {
        PostToMainWindow(b, p, static_cast<WPARAM>(static_cast<std::uint32_t>(choice.firstId)), kNotifyExecuteHotkey);
        b.SuppressStartMenu = 1;
    }
    return true;
}

bool Decide(SettingsBlock& b, const Platform& p, WPARAM wParam, LPARAM lParam) {
    const bool released = (static_cast<DWORD>(lParam) & 0x80000000u) != 0;
    if ((wParam & 0xFFFF) == 0) return false;

    std::int32_t key = static_cast<std::int32_t>(wParam & 0xFF);
    const std::uint8_t countIndex = static_cast<std::uint8_t>(key);
    if (key == kVkNoCode) key = 256 + static_cast<std::int32_t>((static_cast<DWORD>(lParam) >> 16) & 0xFF);

    const Bool32 down = released ? 0 : 1;
    if (key == kVkShift) b.ShiftDown = down;
    else if (key == kVkCtrl) b.CtrlDown = down;
    else if (key == kVkAlt) b.AltDown = down;
    DropReleasedModifiers(b, p, key);
    b.LWinDown = Down(p.AsyncKeyState(VK_LWIN)) ? 1 : 0;
    b.RWinDown = Down(p.AsyncKeyState(VK_RWIN)) ? 1 : 0;

    if (key == kVkEscape && b.JournalMode != 0) {
        StopJournal(b, p, JournalStop::Abort);
        return true;
    }
    // A journal playback switches KeyloomEnabled off: its abort by both Windows
    // keys must not depend on it.
    if (b.JournalMode != 0 && b.WinKeysTrap && b.LWinDown && b.RWinDown) {
        StopJournal(b, p, JournalStop::Abort);
        return true;
    }
    if (!b.KeyloomEnabled) return false;
    // Keyloom is off in this program: its keys reach it as typed.
    if (ProgramIsOff(p)) return false;

    const bool windowsKeyHeld = b.LWinDown || b.RWinDown;
    if (b.WinKeysTrap && b.LWinDown && b.RWinDown) {
        PostToMainWindow(b, p, 0, kNotifyShowMainWindow);
        b.SuppressStartMenu = 1;
        b.WinComboUsed = 1;
        return true;
    }

    if (!b.SimpleMode && b.HotkeyCountPerKey[countIndex] != 0 && Hotkey(b, p, key, countIndex, released))
        return true;
    if (!windowsKeyHeld) return false;
    return WindowsCombination(b, p, key, released);
}

}  // namespace

bool DecideKeyboard(SettingsBlock& b, const Platform& p, WPARAM wParam, LPARAM lParam) {
    const bool consume = Decide(b, p, wParam, lParam);
    if (consume) DebugTrace(b, p, "key prevented");
    return consume;
}

}  // namespace kl::hook
