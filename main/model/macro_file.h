// The macro file: one section "macro" with "name", "count" and one key per event
// ("0", "1", ...: message;first parameter;second parameter;delay word;window, each a
// 32-bit number in decimal). And the text a recorded macro types, for the convert
// command. Without Win32: the key translation is the caller's.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ini_text.h"
#include "settings_block.h"

namespace kl {

inline constexpr char kMacroSection[] = "macro";

struct MacroFile {
    std::string name;  // at most 255 characters
    std::vector<MacroEvent> events;
};

struct MacroFileRead {
    bool ok = false;
    std::string problem;  // why the file was refused, for the user
    MacroFile macro;
};

// Reads a whole macro file. A file is taken whole or not at all: it is refused
// when it has no "macro" section or no "count", when the count is not a number from
// 0 to 1025, or when an event key below the count is missing or is not five numbers
// (each a decimal from -2147483648 to 4294967295, kept as its 32 bits).
MacroFileRead ReadMacroFile(std::string_view contents);

// Writes the keys of a macro into `file` (other content stays).
void WriteMacroFile(IniText& file, const MacroFile& macro);

// The characters a key gives with no modifier or lock key down: 0, 1 or 2 of them.
using KeyCharacters = std::function<int(unsigned virtualKey, unsigned scanCode, char out[2])>;

// The keystrokes of a recorded macro as a text for the typing function, at most 255
// characters (a token that would not fit whole is left out, and so is the rest).
std::string MacroText(std::span<const MacroEvent> events, const KeyCharacters& characters);

}  // namespace kl
