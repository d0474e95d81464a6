#include "system/system_hotkeys.h"

#include <cstdint>
#include <string>
#include <vector>

#include "system/library_binding.h"
#include "system/active_profile_keys.h"
#include "model/reg_text.h"
#include "system/support_calls.h"
#include "system/hotkey_conflicts.h"
#include "registry_names.h"
#include "win_handles.h"

namespace kl {
namespace {

// Bounds for counts read from the registry: hotkey IDs are allocated one by one, and the
// system has no more string atoms than 0xC000..0xFFFF.
constexpr int kMaxHotkeyId = 0xFFFF;
constexpr int kMaxRegistrations = 0x4000;

// Writes a REG_SZ value into an open key.
void SetText(const RegKey& key, const std::string& name, const std::string& text) {
    if (key)
        RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
}

// A REG_SZ value of an open key read as a number; 0 when missing or not a number.
int GetInt(const RegKey& key, const std::string& name) {
    char text[32] = {};
    DWORD type = 0, size = sizeof text - 1;
    if (!key || RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
                    ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return 0;
    return ParseRegInt(text);  // the buffer's last byte stays 0
}

struct Registrations {
    int count = 0;
    // Open for the whole pass: a profile switch registers up to 255 hotkeys at once.
    RegKey temp = RegKey::Create(HKEY_CURRENT_USER, reg::kTempKey, KEY_SET_VALUE);

    ATOM AllocateHotkeyAtom() {
        ++count;
        const std::string name = "HotKey" + std::to_string(count);
        const ATOM atom = GlobalAddAtomA(name.c_str());
        SetText(temp, name, std::to_string(atom));
        return atom;
    }
};

// This process's registrations: window, atom, modifier set and key.
struct OwnRegistration {
    HWND window;
    int atom;
    UINT modifiers;
    UINT key;
};
std::vector<OwnRegistration>& Own() {
    static std::vector<OwnRegistration> own;
    return own;
}

// Registers a combination once: a second hotkey on it shares the registration
// (WM_HOTKEY chooses among them). One that another program holds is noted.
void RegisterOnce(Registrations& regs, HWND window, int id, UINT modifiers, UINT key) {
    if (OwnRegistrationOf(modifiers, key).atom) return;
    const ATOM atom = regs.AllocateHotkeyAtom();
    if (RegisterHotKey(window, atom, modifiers, key))
        Own().push_back({window, atom, modifiers, key});
    else if (id > 0 && GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED)
        NoteTakenCombination({id, modifiers, key});
}

struct WinCombination {
    const char* value;
    char letter;
};

constexpr WinCombination kWinCombinations[] = {
    {reg::kWinD, 'D'}, {reg::kWinE, 'E'}, {reg::kWinF, 'F'}, {reg::kWinM, 'M'},
    {reg::kWinR, 'R'}, {reg::kWinU, 'U'}, {reg::kWinV, 'V'},
};

}  // namespace

RegistrationOf OwnRegistrationOf(UINT modifiers, UINT key) {
    for (const OwnRegistration& r : Own())
        if (r.modifiers == modifiers && r.key == key) return {r.window, r.atom};
    return {};
}

void RegisterSystemHotkeys(HWND window) {
    Registrations regs;
    Own().clear();
    ClearTakenCombinations();
    SettingsBlock* b = Block();
    if (b && b->SimpleMode) {
        // The active profile's keys: a named profile keeps its own options and hotkeys.
        const ProfileKeys keys = ActiveProfileKeys();
        // A combination switched off is taken away from the system by registering it here.
        for (const auto& combo : kWinCombinations) {
            if (ReadRegInt(keys.main.c_str(), combo.value, "1") != 0) continue;
            RegisterOnce(regs, window, 0, MOD_WIN, LOBYTE(VkKeyScanA(combo.letter)));
        }
        int maxId = ReadRegInt(keys.hotkeys.c_str(), reg::kMaxKeyID, "0");
        if (maxId > kMaxHotkeyId) maxId = kMaxHotkeyId;
        bool scanCodeKeyTaken = false;
        for (int id = 1; id <= maxId; ++id) {
            std::int32_t modifier = 0, key = 0, function = 0;
            if (!CallGetHotkey(id, &modifier, &key, &function, nullptr, nullptr)) continue;
            if (key > 255) {
                // Keys beyond the virtual-key range share the one code 255; only the first gets it.
                key = scanCodeKeyTaken ? 0 : 255;
                scanCodeKeyTaken = true;
            }
            if (key <= 0) continue;
            RegisterOnce(regs, window, id, static_cast<UINT>(modifier), static_cast<UINT>(key));
        }
    } else if (b) {
        ProbeTableCombinations(window);
    }
    SetText(regs.temp, reg::kMaxKeyID, std::to_string(regs.count));
}

bool UnregisterSystemHotkeys(HWND window) {
    const RegKey temp = RegKey::Create(HKEY_CURRENT_USER, reg::kTempKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    int count = GetInt(temp, reg::kMaxKeyID);
    if (count > kMaxRegistrations) count = kMaxRegistrations;
    for (int n = 1; n <= count; ++n) {
        const int atom = GetInt(temp, "HotKey" + std::to_string(n));
        // Only the atom range is ever handed out; anything else is not ours to delete.
        if (atom < MAXINTATOM || atom > 0xFFFF) continue;
        UnregisterHotKey(window, atom);
        GlobalDeleteAtom(static_cast<ATOM>(atom));
    }
    SetText(temp, reg::kMaxKeyID, "0");
    Own().clear();
    return true;
}

}  // namespace kl
