#include "system/macro_step.h"

#include <initializer_list>

#include "held_input.h"
#include "macro_record.h"

namespace kl {
namespace {

constexpr std::uint32_t kDelayMs = 0x7FFF;
constexpr std::uint32_t kWaited = 0x8000;
constexpr std::uint32_t kCurrentPosition = 0x80008000;

// What the timer playback has pressed and not released yet.
HeldInput g_held;

void ReleaseOne(std::uint32_t vk) {
    if (!(GetAsyncKeyState(static_cast<int>(vk)) & 0x8000)) return;
    switch (vk) {
        case VK_LBUTTON: mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); return;
        case VK_RBUTTON: mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0); return;
        case VK_MBUTTON: mouse_event(MOUSEEVENTF_MIDDLEUP, 0, 0, 0, 0); return;
        default: break;
    }
    const DWORD flags = KEYEVENTF_KEYUP | (IsExtendedVirtualKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(MapVirtualKeyA(vk, 0)), flags, 0);
}

void ReleaseModifiers(SettingsBlock& b) {
    BYTE state[256] = {};
    if (GetKeyboardState(state)) {
        for (int vk : {0x5B, 0x5C, 0x10, 0xA0, 0xA1, 0x12, 0xA4, 0xA5, 0x11, 0xA2, 0xA3}) state[vk] = 0;
        SetKeyboardState(state);
    }
    b.LWinDown = b.RWinDown = b.ShiftDown = b.AltDown = b.CtrlDown = 0;
}

DWORD MouseFlags(std::uint32_t message) {
    switch (message) {
        case 0x200: return MOUSEEVENTF_MOVE;
        case 0x201: return MOUSEEVENTF_LEFTDOWN;
        case 0x202: return MOUSEEVENTF_LEFTUP;
        case 0x204: return MOUSEEVENTF_RIGHTDOWN;
        case 0x205: return MOUSEEVENTF_RIGHTUP;
        case 0x207: return MOUSEEVENTF_MIDDLEDOWN;
        case 0x208: return MOUSEEVENTF_MIDDLEUP;
        default: return 0;
    }
}

void PlayMouse(const MacroEvent& e) {
    const DWORD flags = MouseFlags(e.Message);
    const DWORD buttons = flags == MOUSEEVENTF_MOVE ? 0 : flags;
    POINT now{};
    if (e.ParamL == kCurrentPosition) {
        // At the pointer's current position: nothing to move, the button acts there.
        if (buttons) mouse_event(buttons, 0, 0, 0, 0);
        return;
    }
    if (GetCursorPos(&now)) {
        SetCursorPos(ResolveCoordinate(e.ParamL & 0xFFFF, now.x), ResolveCoordinate(e.ParamL >> 16, now.y));
        if (buttons) mouse_event(buttons, 0, 0, 0, 0);
        return;
    }
    mouse_event(flags, e.ParamL & 0xFFFF, e.ParamL >> 16, 0, 0);
}

void Play(const MacroEvent& e) {
    if (e.Message >= 0x100 && e.Message <= 0x108) {
        const BYTE vk = static_cast<BYTE>(e.ParamL & 0xFF);
        const BYTE scan = static_cast<BYTE>(KeyEventScan(e));
        DWORD flags = (e.Message == 0x101 || e.Message == 0x105) ? KEYEVENTF_KEYUP : 0;
        if (IsExtendedKeyEvent(e)) flags |= KEYEVENTF_EXTENDEDKEY;
        keybd_event(vk, scan, flags, 0);
    } else if (e.Message >= 0x200 && e.Message <= 0x20A) {
        PlayMouse(e);
    }
    g_held.Note(e);
}

}  // namespace

void EndTimerPlayback(SettingsBlock* block) {
    g_held.ReleaseAll(ReleaseOne);
    if (block) ClearPlaybackMarks(*block);
}

MacroStepResult PlayMacroStep(SettingsBlock& b) {
    MacroStepResult result;
    b.HotkeysSuspended = -1;
    b.SysModal = 0;
    ReleaseModifiers(b);
    std::int32_t length = b.MacroLength;
    if (length > kMacroEventCapacity) length = kMacroEventCapacity;
    if (b.MacroPosition < 0 || b.MacroPosition >= length) b.MacroPosition = 0;
    bool runEnded = length <= 0;
    while (!runEnded) {
        MacroEvent& e = b.MacroEvents[b.MacroPosition];
        const std::uint32_t ms = e.Delay & kDelayMs;
        if (ms != 0) {
            if (e.Delay & kWaited) {
                e.Delay &= ~kWaited;
            } else {
                e.Delay |= kWaited;
                b.HotkeysSuspended = 0;
                b.SysModal = 0;
                return {ms, true};
            }
        }
        Play(e);
        b.MacroPosition = b.MacroPosition + 1;
        runEnded = b.MacroPosition >= length;
    }
    b.MacroPosition = 0;
    result.interval = b.MacroInterval > 0 ? static_cast<UINT>(b.MacroInterval) : 0;
    if (b.MacroRepeat > 0) b.MacroRepeat = b.MacroRepeat - 1;
    if (b.MacroRepeat != 0 && b.JournalMode == 4 && length > 0) result.startTimer = true;
    else b.JournalMode = 0;
    if (!result.startTimer) EndTimerPlayback(&b);
    b.HotkeysSuspended = 0;
    b.SysModal = 0;
    return result;
}

}  // namespace kl
