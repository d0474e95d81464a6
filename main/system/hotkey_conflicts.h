// Combinations that another program holds with RegisterHotKey: a hotkey on one of
// them never reaches Keyloom (in simple mode the registration fails; in hook mode
// the system takes the key before the hooks see it). Keyloom's own registrations
// never count: its own is released before a probe and made again after. The hotkey
// is never refused for it; the user is told.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kl {

struct TakenCombination {
    int id = 0;  // the hotkey on it
    UINT modifiers = 0;
    UINT key = 0;
};

// Whether another program holds the combination: a probe is registered for
// `owner` (any window of keyloom.exe's thread, the editor's too) and released
// again; Keyloom's own registration of it is released first and made again after.
bool CombinationTakenByOtherProgram(HWND owner, UINT modifiers, UINT key);

// The registration pass notes what it found taken; a new pass starts a new list.
void ClearTakenCombinations();
void NoteTakenCombination(const TakenCombination& taken);
const std::vector<TakenCombination>& TakenCombinations();

// Hook mode registers nothing: each distinct key combination of the block's table
// is probed instead, and each taken one noted.
void ProbeTableCombinations(HWND owner);

// "This combination is in use by another program: " and the hotkeys named (their
// descriptions and combinations); empty when nothing is taken.
std::string TakenCombinationsText();

// A combination as the user reads it: "Ctrl+Alt+K".
std::string CombinationText(UINT modifiers, UINT key);

}  // namespace kl
