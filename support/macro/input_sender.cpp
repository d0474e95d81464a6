#include "macro/input_sender.h"

#include <windows.h>

#include "macro_record.h"

namespace kl::support {
namespace {

bool SendKey(const MacroEvent& e, bool up) {
    const WORD vk = static_cast<WORD>(e.ParamL & 0xFF);
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKeyEvent(e) ? KEYEVENTF_EXTENDEDKEY : 0);
    return SendInput(1, &in, sizeof in) == 1;
}

bool SendMouse(const MacroEvent& e) {
    POINT now{};
    if (GetCursorPos(&now)) {
        const std::int32_t x = ResolveCoordinate(e.ParamL & 0xFFFF, now.x);
        const std::int32_t y = ResolveCoordinate(e.ParamL >> 16, now.y);
        SetCursorPos(x, y);
    }
    DWORD flags = 0;
    switch (e.Message) {
        case WM_MOUSEMOVE: return true;
        case WM_LBUTTONDOWN: flags = MOUSEEVENTF_LEFTDOWN; break;
        case WM_LBUTTONUP: flags = MOUSEEVENTF_LEFTUP; break;
        case WM_RBUTTONDOWN: flags = MOUSEEVENTF_RIGHTDOWN; break;
        case WM_RBUTTONUP: flags = MOUSEEVENTF_RIGHTUP; break;
        case WM_MBUTTONDOWN: flags = MOUSEEVENTF_MIDDLEDOWN; break;
        case WM_MBUTTONUP: flags = MOUSEEVENTF_MIDDLEUP; break;
        default: return false;
    }
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return SendInput(1, &in, sizeof in) == 1;
}

void ReleaseOne(std::uint32_t vk) {
    if (!(GetAsyncKeyState(static_cast<int>(vk)) & 0x8000)) return;
    INPUT in{};
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON) {
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = vk == VK_LBUTTON ? MOUSEEVENTF_LEFTUP : vk == VK_RBUTTON ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_MIDDLEUP;
    } else {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(vk);
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
        in.ki.dwFlags = KEYEVENTF_KEYUP | (IsExtendedVirtualKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    SendInput(1, &in, sizeof in);
}

constexpr int kModifierKeys[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL,
                                 VK_LMENU,  VK_RMENU,  VK_LWIN,     VK_RWIN};
// Unassigned: a key event that no program gives a meaning to.
constexpr WORD kNeutralKey = 0xE8;

}  // namespace

bool UserHoldsModifiers() {
    for (int vk : kModifierKeys)
        if (GetAsyncKeyState(vk) & 0x8000) return true;
    return false;
}

void ReleaseUserModifiers() {
    if (!UserHoldsModifiers()) return;
    INPUT neutral[2]{};
    for (INPUT& in : neutral) {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = kNeutralKey;
    }
    neutral[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, neutral, sizeof(INPUT));
    for (int vk : kModifierKeys) ReleaseOne(static_cast<std::uint32_t>(vk));
}

void ReleaseHeldInput(HeldInput& held) { held.ReleaseAll(ReleaseOne); }

bool SendMacroEvent(const MacroEvent& e) {
    switch (e.Message) {
        case WM_KEYDOWN: case WM_SYSKEYDOWN: return SendKey(e, false);
        case WM_KEYUP: case WM_SYSKEYUP: return SendKey(e, true);
        default: break;
    }
    if (e.Message >= WM_MOUSEMOVE && e.Message <= WM_MBUTTONUP) return SendMouse(e);
    return false;
}

}  // namespace kl::support
