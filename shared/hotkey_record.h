// A stored hotkey, as both binaries read, write and find it: the subkey
// "HotKey<ID>" of a profile's Hotkeys key with the REG_SZ values "Key",
// "Modifier", "Description" and "Function" (the function ID, ";" and the
// parameter text, through the character substitution), listed in the per-key
// index lists of hotkey_index.h.
//
// One rule everywhere: numbers follow the registry's number rule (ParseNumber:
// "03" is 3, " 3" and "3x" are 0), a value of another type or longer than
// kHotkeyTextMax counts as missing, and "the hotkey of a key" is the last ID of
// the key's own index list whose "Key" and "Modifier" read as that key and
// modifier set (both values present).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl {

// Texts longer than this count as missing: GetHotkey's buffers hold 1024 bytes.
inline constexpr std::size_t kHotkeyTextMax = 1023;
// What the store writes of a description and of a parameter text.
inline constexpr std::size_t kHotkeyWrittenTextMax = 255;

struct HotkeyRecord {
    std::int32_t modifier = 0;
    std::int32_t key = 0;
    std::int32_t functionId = 0;
    std::string description;
    std::string parameters;
    bool exists = false;    // the subkey could be opened
    bool runnable = false;  // "Function" was found, unscrambled and split
};

// "<hotkeysKey>HotKey<id>"; a backslash is put between them when missing.
std::string HotkeySubkeyPath(std::string_view hotkeysKey, std::int32_t id);

// The definition of hotkey `id` under `hotkeysKey` (HKEY_CURRENT_USER).
HotkeyRecord ReadHotkeyRecord(std::string_view hotkeysKey, std::int32_t id);

// Only "Key" and "Modifier" (the rest stays empty): what a settings load needs.
HotkeyRecord ReadHotkeyCombination(std::string_view hotkeysKey, std::int32_t id);

// Writes "Modifier", "Key", "Description" and "Function", creating the subkey;
// the description and the parameter text are cut to kHotkeyWrittenTextMax.
// False when the subkey cannot be created or a value not written.
bool WriteHotkeyRecord(std::string_view hotkeysKey, std::int32_t id, std::int32_t keyCode, std::int32_t modifier,
                       std::string_view description, std::int32_t functionId, std::string_view parameter);

// The index list of a key code's slot (IndexSlot), when it is REG_SZ of at most
// kHotkeyTextMax characters.
std::optional<std::string> ReadIndexList(std::string_view hotkeysKey, std::int32_t keyCode);

// The hotkey of a key and modifier set by the rule above; 0 when there is none.
// Key codes of 256 and above (scan-code keys) are found in the list "255".
std::int32_t FindHotkeyOfKey(std::string_view hotkeysKey, std::uint32_t key, std::int32_t modifier);

}  // namespace kl
