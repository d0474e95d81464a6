#include "testing/synth_input.h"

#include <iterator>

namespace kl::testing {
namespace {

bool IsExtended(WORD vk) {
    return vk == VK_LWIN || vk == VK_RWIN || vk == VK_RCONTROL || vk == VK_RMENU || vk == VK_INSERT ||
           vk == VK_DELETE || vk == VK_HOME || vk == VK_END || vk == VK_PRIOR || vk == VK_NEXT ||
           (vk >= VK_LEFT && vk <= VK_DOWN);
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &in, sizeof in);
}

void SendMouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

constexpr struct {
    int bit;
    WORD vk;
} kModifierKeys[] = {{kCtrl, VK_CONTROL}, {kAlt, VK_MENU}, {kShift, VK_SHIFT}, {kWin, VK_LWIN}};

}  // namespace

void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }

void PressModifiers(int modifiers) {
    for (const auto& m : kModifierKeys)
        if (modifiers & m.bit) KeyDown(m.vk);
}

void ReleaseModifiers(int modifiers) {
    for (auto i = std::size(kModifierKeys); i-- > 0;)
        if (modifiers & kModifierKeys[i].bit) KeyUp(kModifierKeys[i].vk);
}

void PressCombination(WORD vk, int modifiers) {
    PressModifiers(modifiers);
    KeyDown(vk);
    KeyUp(vk);
    ReleaseModifiers(modifiers);
}

void ButtonDown(int button) {
    SendMouse(button == 2 ? MOUSEEVENTF_RIGHTDOWN : button == 4 ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_LEFTDOWN);
}

void ButtonUp(int button) {
    SendMouse(button == 2 ? MOUSEEVENTF_RIGHTUP : button == 4 ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_LEFTUP);
}

void ClickWith(int button, int modifiers, POINT at) {
    SetCursorPos(at.x, at.y);
    PressModifiers(modifiers);
    ButtonDown(button);
    ButtonUp(button);
    ReleaseModifiers(modifiers);
}

}  // namespace kl::testing
