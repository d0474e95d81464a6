#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hotkey_index.h"
#include "hotkey_record.h"
#include "key_selection.h"
#include "option_table.h"
#include "registry_names.h"
#include "registry_values.h"
#include "settings.h"
#include "text255.h"
#include "win_handles.h"

namespace kl::support {
namespace {

bool IsExistingFolder(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void ReadOptions(SettingsBlock& b, HKEY key) {
    for (const Option& o : LoadedOptions()) {
        auto value = ReadValue(key, o.name);
        if (!value) continue;
        if (value->type != REG_SZ) {
            if (o.field == &SettingsBlock::Language) b.Language = 0;
            continue;
        }
        switch (o.kind) {
            case OptionKind::Text:
                // A data folder that cannot be reached now (a drive not yet connected)
                // leaves the one the program started from.
                if (o.text == &SettingsBlock::DataDir && !IsExistingFolder(value->text)) break;
                SetText255(b.*o.text, value->text);
                break;
            case OptionKind::Number: b.*o.field = ParseNumber(value->text); break;
            case OptionKind::Truth: b.*o.field = ParseTruth(value->text) ? kTrue : kFalse; break;
        }
    }
}

// The key code named by an index value: "0" to "255" written as the index writes them
// (no sign, no leading zero); -1 for any other name.
int IndexKeyOf(std::string_view name) {
    if (name.empty() || name.size() > 3 || (name.size() > 1 && name[0] == '0')) return -1;
    int k = 0;
    for (const char c : name) {
        if (c < '0' || c > '9') return -1;
        k = k * 10 + (c - '0');
    }
    return k <= 255 ? k : -1;
}

// The per-key index lists by key code, in one pass over the key's values: a key holds a
// few of the 256 possible lists, and each read of one costs a round trip to the registry.
// A list that is not text, or longer than the settings read, counts as missing.
std::array<std::optional<std::string>, 256> ReadIndexLists(HKEY index) {
    std::array<std::optional<std::string>, 256> lists;
    std::vector<char> data(kValueBufferSize + 1, '\0');
    for (DWORD i = 0;; ++i) {
        char name[8] = {};  // longer names are no index names
        DWORD nameSize = sizeof name, type = REG_NONE, size = kValueBufferSize;
        const LONG rc = RegEnumValueA(index, i, name, &nameSize, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &size);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS || type != REG_SZ || size > kValueBufferSize) continue;
        const int k = IndexKeyOf(std::string_view(name, nameSize));
        if (k >= 0) lists[k] = std::string(data.data(), strnlen(data.data(), size));
    }
    return lists;
}

// Fills the hotkey table from the per-key index values "0" to "255", in key order.
// Returns false when the table overflows.
bool ReadHotkeyIndex(SettingsBlock& b, HKEY index, const std::string& hotkeyKey) {
    int row = 0;
    const auto lists = ReadIndexLists(index);
    for (int k = 0; k <= 255; ++k) {
        const auto& list = lists[k];
        if (!list) continue;
        bool roomLeft = true;
        // Only pieces that name an ID make rows: a row of ID 0 would end the table.
        ForEachIndexId(*list, [&](std::int32_t id) {
            const HotkeyRecord hotkey = ReadHotkeyCombination(hotkeyKey, id);
            if (b.HotkeyCountPerKey[k] < 255) ++b.HotkeyCountPerKey[k];
            HotkeyEntry& e = b.Hotkeys[row];
            e.ID = id;
            e.Key = hotkey.key;
            e.Modifier = hotkey.modifier;
            e.Flag = 0;
            if (k == 1 || k == 2 || k == 4) b.MouseHotkeys = kTrue;
            roomLeft = ++row <= kHotkeyRows - 1;
            return roomLeft;
        });
        if (!roomLeft) return false;
    }
    return true;
}

void ReadRemapTable(SettingsBlock& b, HKEY index) {
    DWORD size = 0;
    if (RegQueryValueExA(index, reg::kScancodeMap, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return;
    if (size == 0 || size > sizeof b.KeyRemap) return;
    KeyRemapTable table{};
    DWORD got = sizeof table;
    if (RegQueryValueExA(index, reg::kScancodeMap, nullptr, nullptr, reinterpret_cast<BYTE*>(&table),
                         &got) == ERROR_SUCCESS && got <= sizeof table)
        b.KeyRemap = table;
}

}  // namespace

LoadResult LoadSettings(SettingsBlock& b) {
    const ProfileKeys keys = SelectKeys(Text255View(b.ProfileName));
    ApplyDefaults(b);

    LoadResult result = LoadResult::BaseKeyMissing;
    if (RegKey base = RegKey::Open(HKEY_CURRENT_USER, keys.main.c_str(), KEY_READ)) {
        result = LoadResult::Loaded;
        ReadOptions(b, base.get());
    }

    if (RegKey index = RegKey::Open(HKEY_CURRENT_USER, keys.hotkeys.c_str(), KEY_READ)) {
        const bool allRead = ReadHotkeyIndex(b, index.get(), keys.hotkeys);
        // The remapping table does not depend on the hotkeys: it is read in any case, so
        // that too many hotkeys do not switch the remapping off as well.
        ReadRemapTable(b, index.get());
        if (!allRead) return LoadResult::TooManyHotkeys;
    }
    return result;
}

}  // namespace kl::support
