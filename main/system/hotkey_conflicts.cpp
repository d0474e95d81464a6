#include "system/hotkey_conflicts.h"

#include <cstdint>
#include <utility>

#include "model/ui_language.h"
#include "settings_block.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "system/system_hotkeys.h"
#include "macro_record.h"
#include "model/program_texts.h"

namespace kl {
namespace {

// An identifier of the application range that no registration of Keyloom uses
// (its own are global atoms, 0xC000 and above).
constexpr int kProbeId = 0xBF7E;

std::vector<TakenCombination>& Taken() {
    static std::vector<TakenCombination> taken;
    return taken;
}

bool ProbeFails(HWND owner, UINT modifiers, UINT key) {
    if (RegisterHotKey(owner, kProbeId, modifiers, key)) {
        UnregisterHotKey(owner, kProbeId);
        return false;
    }
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

std::string Description(int id) {
    std::vector<char> description(kHotkeyTextBuffer, '\0'), parameter(kHotkeyTextBuffer, '\0');
    std::int32_t modifier = 0, key = 0, function = 0;
    if (!CallGetHotkey(id, &modifier, &key, &function, description.data(), parameter.data())) return {};
    description.back() = '\0';
    return description.data();
}

}  // namespace

bool CombinationTakenByOtherProgram(HWND owner, UINT modifiers, UINT key) {
    if (key == 0 || key > 0xFE) return false;
    const RegistrationOf own = OwnRegistrationOf(modifiers, key);
    if (own.atom) UnregisterHotKey(own.window, own.atom);
    const bool taken = ProbeFails(owner, modifiers, key);
    if (own.atom) RegisterHotKey(own.window, own.atom, modifiers, key);
    return taken;
}

void ClearTakenCombinations() { Taken().clear(); }
void NoteTakenCombination(const TakenCombination& taken) { Taken().push_back(taken); }
const std::vector<TakenCombination>& TakenCombinations() { return Taken(); }

void ProbeTableCombinations(HWND owner) {
    const SettingsBlock* b = Block();
    if (!b) return;
    for (int i = 0; i < kHotkeyRows; ++i) {
        const HotkeyEntry row = b->Hotkeys[i];
        if (row.ID == 0) break;
        // Mouse buttons and scan-code keys cannot be registered by anyone.
        if (row.ID < 0 || row.Key < 8 || row.Key > 0xFE) continue;
        bool seen = false;
        for (int j = 0; j < i && !seen; ++j)
            seen = b->Hotkeys[j].Key == row.Key && b->Hotkeys[j].Modifier == row.Modifier;
        if (seen) continue;
        const auto modifiers = static_cast<UINT>(row.Modifier), key = static_cast<UINT>(row.Key);
        if (CombinationTakenByOtherProgram(owner, modifiers, key)) NoteTakenCombination({row.ID, modifiers, key});
    }
}

std::string CombinationText(UINT modifiers, UINT key) {
    std::string text;
    if (modifiers & MOD_CONTROL) text += "Ctrl+";
    if (modifiers & MOD_ALT) text += "Alt+";
    if (modifiers & MOD_SHIFT) text += "Shift+";
    if (modifiers & MOD_WIN) text += "Win+";
    char name[64] = {};
    LONG scan = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    if (IsExtendedVirtualKey(key)) scan |= 1 << 24;
    if (scan && GetKeyNameTextA(scan, name, sizeof name) > 0)
        text += name;
    else
        text += "#" + std::to_string(key);
    return text;
}

std::string TakenCombinationsText() {
    if (Taken().empty()) return {};
    std::string text = UiText(kLineCombinationInUse, "This combination is in use by another program") + ":";
    for (std::size_t i = 0; i < Taken().size(); ++i) {
        const TakenCombination& t = Taken()[i];
        const std::string description = Description(t.id);
        text += i ? ", " : " ";
        if (!description.empty()) text += description + " ";
        text += "(" + CombinationText(t.modifiers, t.key) + ")";
    }
    return text;
}

}  // namespace kl
