// The items of the settings exchange: options and hotkeys read from a source (an
// exchange file or the registry) and written to a target, and the exchange file's
// layout:
//   [Settings]           option name=value
//   [Hotkeys]            MaxKeyID=n, and per key code "0" to "255" the IDs "1;4;"
//   [Hotkeys\HotKey<ID>] Modifier, Key, Description, Function (ID;parameter, plain),
//                        Programs and ProgramsMode when the hotkey is limited to programs
// Without Win32: the registry side is settings_exchange.*.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ini_text.h"

namespace kl {

enum ExchangeKind : int { kExchangeSetting = 1, kExchangeHotkey = 2, kExchangeConflict = 3 };

struct ExchangeHotkey {
    int sourceId = 0;  // the ID in the source; the target gives a new one
    std::string description;
    int modifier = 0;
    int key = 0;
    int functionId = 0;
    std::string parameter;  // at most 255 characters, fields separated by character 255
    // "Programs" and "ProgramsMode" (0 everywhere, 1 only in them, 2 except in them);
    // a file without them, or with an unknown mode, gives everywhere.
    std::string programs;
    int programsMode = 0;
};

// Whether two hotkeys on one key and modifier set cannot both be kept: the rule of
// the program filter over their modes and program sets.
bool ExchangeHotkeysConflict(const ExchangeHotkey& a, const ExchangeHotkey& b);

struct ExchangeItem {
    int kind = 0;
    // kExchangeSetting: the option's registry name, its position in the settings table
    // and its stored text.
    std::string optionName;
    int optionIndex = 0;
    std::string value;
    ExchangeHotkey hotkey;  // kExchangeHotkey, kExchangeConflict
};

struct ExchangeOption {
    int index;
    std::string_view name;
};

struct ExchangeRead {
    std::vector<ExchangeItem> items;
    std::vector<std::string> skipped;  // one reason per item left out
    bool refused = false;              // the file as a whole is not an exchange file
};

// The rules a hotkey of an exchange file must meet.
struct ExchangeRules {
    std::function<bool(int functionId)> knownFunction;  // empty: IDs 1 to 279
    // True when the target already holds a hotkey on this key and modifier set that
    // the hotkey conflicts with (ExchangeHotkeysConflict).
    std::function<bool(const ExchangeHotkey& hotkey)> taken;
    // The hotkeys the target holds already: together they stay within 255.
    int existingHotkeys = 0;
};

inline constexpr int kExchangeMaxHotkeys = 255;
inline constexpr std::size_t kExchangeTextMax = 255;

// Reads an exchange file. Every item that cannot be taken is left out with its reason:
// key names or IDs that are not numbers or out of range, an ID listed twice, a key
// code or modifier set out of range, a "Function" without ";" or with an unknown ID,
// an option value that is not a number, hotkeys beyond 255 in the file or beyond what
// the target has room for (255 with its existing ones). A hotkey on a key and
// modifier set that the target (or an earlier item of the file) already uses is a
// conflict. Hotkeys come first, in key-code order, then the options in their order.
ExchangeRead ReadExchangeFile(std::string_view contents, std::span<const ExchangeOption> options,
                              const ExchangeRules& rules);

// AddHotKey on the file side: the next "MaxKeyID", its ID appended to the list of its
// key code (256 and above filed under 255) and its section. Returns the new ID.
int AddHotkeyToFile(IniText& file, const ExchangeHotkey& hotkey);

// Writes the hotkeys (kExchangeHotkey only, in list order) and the options.
void WriteExchangeItems(IniText& file, std::span<const ExchangeItem> items);

// A key code as hotkeys use it: 1 to 254, or 256 plus a scan code.
bool IsHotkeyKeyCode(int key);

}  // namespace kl
