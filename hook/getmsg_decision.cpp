#include "getmsg_decision.h"

#include "caption_rollup.h"
#include "key_remap.h"
#include "modifiers.h"
#include "mouse_keys.h"
#include "notify.h"
#include "program_rows.h"
#include "trace.h"

namespace kl::hook {
namespace {

struct Button {
    std::uint8_t key;  // 1 left, 2 right, 4 middle, 0 none
    bool released;
};

Button ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN: case WM_NCLBUTTONDOWN: return {1, false};
    case WM_LBUTTONUP: case WM_NCLBUTTONUP: return {1, true};
    case WM_RBUTTONDOWN: case WM_NCRBUTTONDOWN: return {2, false};
    case WM_RBUTTONUP: case WM_NCRBUTTONUP: return {2, true};
    case WM_MBUTTONDOWN: case WM_NCMBUTTONDOWN: return {4, false};
    case WM_MBUTTONUP: case WM_NCMBUTTONUP: return {4, true};
    default: return {0, false};
    }
}

// A button whose rows do not act in this program is left to it. On the release
// every row of the chosen rank is posted (without program sets: every row of the
// combination). Out of line: its room for the IDs is needed for buttons with
// hotkeys only, not for every message.
__attribute__((noinline)) bool ButtonHotkey(SettingsBlock& b, const Platform& p, Button button) {
    RowChoice choice;
    std::int32_t ids[kHotkeyRows];
    ChooseHotkeyRows(b, p, button.key, button.key, HeldModifierBits(b, p), false, choice, ids);
    if (button.released) {
        for (int i = 0; i < choice.count; ++i) {
            DebugTrace(b, p, "Mouse Hotkey: posting wm_hotkey message");
            DebugTrace(b, p, "Posting execute hotkey message");
            PostToMainWindow(b, p, static_cast<WPARAM>(static_cast<std::uint32_t>(ids[i])), kNotifyExecuteHotkey);
            b.SuppressStartMenu = 1;
        }
    }
    return choice.count > 0;
}

bool MouseHotkey(SettingsBlock& b, const Platform& p, UINT message) {
    const Button button = ButtonOf(message);
    if (button.key == 0 || b.HotkeyCountPerKey[button.key] == 0) return false;
    return ButtonHotkey(b, p, button);
}

// The messages that Keyloom acts on apart from mouse-button hotkeys; in a
// program where Keyloom is off they pass untouched.
bool ActedOn(UINT message) {
    switch (message) {
    case WM_NCLBUTTONDBLCLK: case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_SYSCOMMAND: case WM_HOTKEY:
        return true;
    default:
        return false;
    }
}

bool KeyMessage(SettingsBlock& b, const Platform& p, MSG& m) {
    const bool character = m.message == WM_CHAR;
    if (b.RemapKeys) RemapKey(b, p, m);
    // The Windows-key and mouse-key tests look at virtual-key codes; a WM_CHAR
    // carries a character, and "[", "\", "%" or "(" must still reach the program.
    if (character) return false;
    const WPARAM vk = m.wParam;
    if (vk == VK_LWIN && !b.LWinKeyEnabled) return true;
    if (vk == VK_RWIN && !b.RWinKeyEnabled) return true;
    if (!b.MouseKeysEnabled) return false;
    const bool numLockOn = (p.KeyState(VK_NUMLOCK) & 1) != 0;
    if (numLockOn != (b.MKNumlockON != 0)) return false;
    const bool mouseKey = (vk >= 37 && vk <= 40) || vk == 106 || vk == 107 || vk == 109;
    if (!mouseKey) return false;
    const bool released = (static_cast<DWORD>(m.lParam) & 0x80000000u) != 0;
    return MouseKeys(b, p, static_cast<int>(vk), released);
}

// WM_SYSCOMMAND SC_TASKLIST: the Start menu, often caused by releasing a
// Windows key that was used in a combination.
bool StartMenu(SettingsBlock& b) {
    const bool blocked = (b.LWinDown && !b.LWinKeyEnabled) || (b.RWinDown && !b.RWinKeyEnabled);
    if (!b.WinComboUsed) return blocked;
    const bool suppress = b.SuppressStartMenu != 0;
    if (!(b.LWinDown && b.RWinDown)) {
        b.SuppressStartMenu = 0;
        b.WinComboUsed = 0;
    }
    return suppress || blocked;
}

// WM_HOTKEY with the Windows key alone: the system's own shortcuts at the shell.
bool SystemShortcut(SettingsBlock& b, LPARAM lParam) {
    if ((lParam & 0xFFFF) != MOD_WIN || b.HotkeysSuspended) return false;
    const int vk = static_cast<int>((static_cast<DWORD>(lParam) >> 16) & 0xFFFF);
    b.LastHotkey = vk;
    switch (vk) {
    case 'D': return !b.WinD;
    case 'E': return !b.WinE;
    case 'F': return !b.WinF;
    case 'M': return !b.WinM;
    case 'R': return !b.WinR;
    case 'U': return !b.WinU;
    case 'V': return !b.WinV;
    default: return false;
    }
}

}  // namespace

void DecideGetMessage(SettingsBlock& b, const Platform& p, MSG& m) {
    bool swallow = b.MouseHotkeys && MouseHotkey(b, p, m.message);
    if (!swallow && ActedOn(m.message) && ProgramIsOff(p)) return;
    if (!swallow) {
        switch (m.message) {
        case WM_NCLBUTTONDBLCLK:
            if (b.CaptureMenuDblClicks && !p.Parent(m.hwnd)) {
                CaptionDoubleClick(b, p, m.hwnd);
                swallow = true;
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            swallow = KeyMessage(b, p, m);
            break;
        case WM_SYSCOMMAND:
            if ((m.wParam & 0xFFF0) == SC_TASKLIST) swallow = StartMenu(b);
            break;
        case WM_HOTKEY:
            swallow = SystemShortcut(b, m.lParam);
            break;
        default:
            break;
        }
    }
    if (swallow) {
        m.message = 0;
        m.wParam = 0;
        m.lParam = 0;
    }
}

}  // namespace kl::hook
