#include "system/hotkey_pass_through.h"

#include "macro_record.h"

namespace kl {
namespace {

struct ModifierKey {
    UINT flag;
    WORD key;
};
// Pressed in this order, released in the reverse one.
constexpr ModifierKey kModifierKeys[] = {
    {MOD_CONTROL, VK_CONTROL}, {MOD_ALT, VK_MENU}, {MOD_SHIFT, VK_SHIFT}, {MOD_WIN, VK_LWIN}};

// How long the replayed input may take to be taken in before the combination is
// registered again all the same.
constexpr DWORD kReplayWaitMs = 200;

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedVirtualKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

bool Down(WORD key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// Waits until the system has taken in the replay: the key was seen down (or
// pressed since the last look) and then up again; each modifier that the
// replay released is up.
void AwaitReplay(UINT modifiers, UINT held, WORD key) {
    const DWORD start = GetTickCount();
    bool seenDown = false;
    for (;;) {
        const SHORT state = GetAsyncKeyState(key);
        seenDown = seenDown || (state & 0x8001) != 0;
        bool released = (state & 0x8000) == 0;
        for (const ModifierKey& m : kModifierKeys)
            if ((modifiers & m.flag) && !(held & m.flag) && Down(m.key)) released = false;
        if ((seenDown && released) || GetTickCount() - start > kReplayWaitMs) return;
        Sleep(0);
    }
}

}  // namespace

std::vector<INPUT> PassThroughInput(UINT modifiers, UINT held, UINT key) {
    std::vector<INPUT> input;
    for (const ModifierKey& m : kModifierKeys)
        if ((modifiers & m.flag) && !(held & m.flag)) input.push_back(KeyInput(m.key, false));
    input.push_back(KeyInput(static_cast<WORD>(key), false));
    input.push_back(KeyInput(static_cast<WORD>(key), true));
    for (auto m = std::rbegin(kModifierKeys); m != std::rend(kModifierKeys); ++m)
        if ((modifiers & m->flag) && !(held & m->flag)) input.push_back(KeyInput(m->key, true));
    return input;
}

UINT HeldModifiers(UINT modifiers) {
    UINT held = 0;
    for (const ModifierKey& m : kModifierKeys) {
        const bool down = m.key == VK_LWIN ? Down(VK_LWIN) || Down(VK_RWIN) : Down(m.key);
        if ((modifiers & m.flag) && down) held |= m.flag;
    }
    return held;
}

bool PassHotkeyThrough(HWND window, int registration, UINT modifiers, UINT key) {
    modifiers &= MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;
    if (key == 0 || key > 0xFE) return true;  // nothing that can be replayed
    UnregisterHotKey(window, registration);
    const UINT held = HeldModifiers(modifiers);
    std::vector<INPUT> input = PassThroughInput(modifiers, held, key);
    GetAsyncKeyState(static_cast<int>(key));  // clears "pressed since the last look"
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    AwaitReplay(modifiers, held, static_cast<WORD>(key));
    return RegisterHotKey(window, registration, modifiers, key) != FALSE;
}

}  // namespace kl
