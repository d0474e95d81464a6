// The hotkey definitions of the active profile: "HotKey<ID>" subkeys of the
// Hotkeys key, the per-key index values "0" to "255" and "MaxKeyID", with the
// block's hotkey table kept in step so that a change works at once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings_block.h"

namespace kl {

inline constexpr char kTooManyHotkeys[] = "too many hotkeys";

// A definition as the support library reads it back (GetHotkey).
struct HotkeyDetails {
    int modifier = 0;
    int key = 0;
    int functionId = 0;
    std::string description;
    std::string parameter;
};
// Reads one definition by ID; a missing one gives zeros and empty texts.
using HotkeyReader = std::function<HotkeyDetails(int id)>;

// The shape of GetHotkey as the library binding calls it (CallGetHotkey):
// ID, out modifier, out key, out function ID, description and parameter
// buffers of 1024 bytes each.
using GetHotkeyCall =
    std::function<bool(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, char*, char*)>;

// A reader that asks GetHotkey with buffers of its own.
HotkeyReader ReaderFrom(GetHotkeyCall call);

struct StoreResult {
    int id = 0;         // the ID stored; 0 when nothing was stored
    std::string error;  // empty, or why the definition could not be stored fully
};

class HotkeyStore {
public:
    // `hotkeyKey` is the Hotkeys key of the active profile (under
    // HKEY_CURRENT_USER, ending in a backslash); `block` may be null when the
    // shared block is not mapped; `reader` serves ListHotkeys. With an empty
    // key the store does nothing: stores fail, lookups find nothing.
    HotkeyStore(std::string hotkeyKey, SettingsBlock* block, HotkeyReader reader = {});

    // Stores a definition: a negative ID allocates a new one. The parameter is
    // at most 255 characters, the description likewise (longer texts are cut).
    // Fails without writing for a key code below 1 or an ID of 0; reports
    // "too many hotkeys" when the definition was written to the registry but
    // its key code has no use left in the block's table.
    StoreResult StoreHotkey(int id, int keyCode, int modifier, int functionId, std::string_view description,
                            std::string_view parameter);

    // Removes a definition from the index, the registry and the block's table.
    // True when its subkey was deleted.
    bool DeleteHotkey(int id);

    // The hotkey of a key and modifier set by the rule klsupport follows too
    // (FindHotkeyOfKey), or -1.
    int FindHotkeyID(int keyCode, int modifier) const;

    // The entries of the index values "0" to "255": the rows a settings load makes.
    int CountHotkeys() const;

    // "ID;description;modifier;key;function ID;parameter" per indexed ID, joined by
    // JoinHotkeyLine (a ";" in the description is escaped; SplitHotkeyLine reads it).
    std::vector<std::string> ListHotkeys() const;

private:
    std::string SubkeyPath(int id) const;
    std::vector<std::string> IndexNames() const;
    int AllocateId();
    // Removes the ID from every index list but the one named `keep`.
    void Unlist(int id, std::string_view keep);

    std::string hotkeyKey_;
    SettingsBlock* block_;
    HotkeyReader reader_;
};

}  // namespace kl
