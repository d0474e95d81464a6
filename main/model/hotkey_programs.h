// The programs a hotkey is limited to, as stored in its "HotKey<ID>" key
// ("Programs", "ProgramsMode"), and the option "OffInPrograms" of a profile.
// Settings without these values read as everywhere and no program off.
#pragma once

#include <string>
#include <string_view>

namespace kl {

enum class ProgramsMode { Everywhere = 0, OnlyIn = 1, ExceptIn = 2 };

struct HotkeyPrograms {
    std::string programs;  // executable names separated by ";", as the user typed them
    ProgramsMode mode = ProgramsMode::Everywhere;
};

// The mode of a stored "ProgramsMode" text ("0", "1", "2"); anything else is
// everywhere.
ProgramsMode ProgramsModeFromText(std::string_view text);
std::string ProgramsModeText(ProgramsMode mode);

// "Programs" and "ProgramsMode" of "HotKey<ID>" under the Hotkeys key `hotkeyKey`
// (under HKEY_CURRENT_USER, ending in "\"). Missing values, a value of another
// type and an unknown mode read as everywhere with no programs; never an error.
HotkeyPrograms ReadHotkeyPrograms(const std::string& hotkeyKey, int id);

// Writes both values. Everywhere with an empty list deletes them instead, so
// that a hotkey never limited looks as it always did. False when a write failed.
bool WriteHotkeyPrograms(const std::string& hotkeyKey, int id, const HotkeyPrograms& programs);

// The option "OffInPrograms" of the profile whose main key is `mainKey` (ending
// in "\"): its text when it is REG_SZ, empty otherwise.
std::string ReadOffInPrograms(const std::string& mainKey);
// Writes it; an empty text deletes the value. False when the write failed.
bool WriteOffInPrograms(const std::string& mainKey, std::string_view programs);

}  // namespace kl
