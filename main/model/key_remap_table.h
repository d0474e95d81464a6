// The key remapping table (the block's KeyRemap) as the remapping dialogs edit it, its
// per-profile copy (binary "Scancode Map" of the profile's Hotkeys key) and the
// system's own scan-code map of the keyboard layout, which acts below the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings_block.h"
#include "win_handles.h"

namespace kl {

// Count + 1 must stay below 99: the table keeps at most 98 mappings.
inline constexpr int kMaxKeyMappings = 98;
// Under HKEY_LOCAL_MACHINE.
inline constexpr char kKeyboardLayoutKey[] = "SYSTEM\\CurrentControlSet\\Control\\Keyboard Layout";

// The used entries as far as they can be believed: at most Count, at most 98, and none
// from the first entry whose key is 0.
int UsedMappings(const KeyRemapTable& table);
// Count = UsedMappings, every later entry zero, both headers 0.
void NormaliseTable(KeyRemapTable& table);

enum class AddResult { Added, TableFull, SameKey, NoKey };
// Appends a mapping: the key pressed (virtual-key code and scan code), the modifiers
// to force (1 Alt, 2 Ctrl, 4 Shift), and the key to produce.
AddResult AddKeyMap(KeyRemapTable& table, int fromVk, int fromScan, int modifiers, int toScan, int toVk);
// Removes used entry `index`; the later ones move up. False for an index not in use.
bool RemoveKeyMap(KeyRemapTable& table, int index);
// The message for a refused mapping; empty for Added.
std::string AddResultMessage(AddResult result);

// The program value: header, used entries and one zero entry (12 + 5 x (n + 1) bytes).
std::vector<std::uint8_t> ProgramValue(const KeyRemapTable& table);

enum class StoredMapProblem {
    None,
    Missing,            // no value: an empty table
    WrongSize,          // empty, more than 517 bytes, or not whole entries: what fits was read
    WrongCount,         // the count says more (or less) than the value holds
    MissingTerminator,  // no zero entry after the used ones
};
struct StoredMap {
    KeyRemapTable table{};  // the mappings that could be read, normalised
    StoredMapProblem problem = StoredMapProblem::None;
};
// Reads a stored value's bytes without reading past them.
StoredMap ParseProgramValue(const std::uint8_t* data, std::size_t size);
// The value "Scancode Map" of `hotkeyKey` (under HKEY_CURRENT_USER).
StoredMap ReadProgramValue(const std::string& hotkeyKey);
// Writes the value, creating the key. True on success.
bool WriteProgramValue(const std::string& hotkeyKey, const KeyRemapTable& table);
// Tells the user what was wrong with a stored value and how many mappings were kept;
// empty for None and Missing.
std::string StoredMapMessage(const StoredMap& stored);

// The scan code by which the system's map names a key (0xE0 in the high byte for keys
// of the extended part); 0 when the map cannot name it: mouse buttons, Pause, and keys
// for which the keyboard layout has no code of their own.
std::uint16_t SystemScanCode(int vk);
// The keys of the used entries, pressed or produced, that have no such code; each once.
std::vector<int> KeysWithoutSystemScanCode(const KeyRemapTable& table);
// The system's form: version 0, flags 0, mappings + 1, one word per mapping (high half
// the scan code pressed, low half the one produced, both from SystemScanCode) and a zero
// word. An entry with a key that has no code is left out.
std::vector<std::uint8_t> SystemValue(const KeyRemapTable& table);
bool HasForcedModifiers(const KeyRemapTable& table);

// Opens the keyboard layout key for setting and deleting values; the system's error
// code. The real one creates HKEY_LOCAL_MACHINE\<kKeyboardLayoutKey> when missing.
using LayoutKeyOpener = LONG (*)(RegKey& key);
LONG OpenKeyboardLayoutKey(RegKey& key);

enum class PermanentResult { Done, HasModifiers, NoScanCode, NotAllowed, NothingToRemove, Failed };
// Writes the whole value in one call, or nothing: refused with forced modifiers, with a
// key the map cannot name (KeysWithoutSystemScanCode), and when the user may not write there.
PermanentResult WritePermanentMap(const KeyRemapTable& table, LayoutKeyOpener open = OpenKeyboardLayoutKey);
PermanentResult RemovePermanentMap(LayoutKeyOpener open = OpenKeyboardLayoutKey);
// The message for a failure; empty for Done, HasModifiers and NoScanCode (those have
// language texts).
std::string PermanentResultMessage(PermanentResult result, bool removing);

}  // namespace kl
