// Input synthesised with SendInput, as a user's keyboard and mouse produce it.
#pragma once

#include <windows.h>

namespace kl::testing {

// Modifier bits as hotkeys store them.
inline constexpr int kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8;

void PressModifiers(int modifiers);
void ReleaseModifiers(int modifiers);  // in the reverse order
void KeyDown(WORD vk);
void KeyUp(WORD vk);

// Modifiers down, key down, key up, modifiers up.
void PressCombination(WORD vk, int modifiers);

// Mouse buttons as hotkey key codes: 1 left, 2 right, 4 middle.
void ButtonDown(int button);
void ButtonUp(int button);
// Moves the pointer to the screen point, then clicks with the modifiers held.
void ClickWith(int button, int modifiers, POINT at);

}  // namespace kl::testing
