#include "core/key_remap_table.h"

#include <algorithm>
#include <cstring>

#include "registry_names.h"

namespace kl {
namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kEntrySize = sizeof(KeyRemapEntry);
constexpr std::size_t kTableSize = sizeof(KeyRemapTable);

bool IsZero(const KeyRemapEntry& e) {
    return e.FromScan == 0 && e.FromVk == 0 && e.ToScan == 0 && e.ToVk == 0 && e.ForceModifiers == 0;
}

// Keys whose scan code the system map needs with the 0xE0 prefix: without it the map
// would name their keypad twins (Delete would be the keypad's decimal point).
bool NeedsE0Prefix(int vk) {
    switch (vk) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_INSERT: case VK_DELETE: case VK_LWIN: case VK_RWIN: case VK_APPS:
    case VK_DIVIDE: case VK_RCONTROL: case VK_RMENU:
        return true;
    default:
        return false;
    }
}

std::uint32_t SystemScanCode(int vk, std::uint8_t scan) {
    return (NeedsE0Prefix(vk) ? 0xE000u : 0u) | scan;
}

void PutWord(std::vector<std::uint8_t>& out, std::uint32_t w) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
}

PermanentResult FromError(LONG rc) {
    if (rc == ERROR_SUCCESS) return PermanentResult::Done;
    if (rc == ERROR_ACCESS_DENIED || rc == ERROR_PRIVILEGE_NOT_HELD) return PermanentResult::NotAllowed;
    if (rc == ERROR_FILE_NOT_FOUND) return PermanentResult::NothingToRemove;
    return PermanentResult::Failed;
}

}  // namespace

int UsedMappings(const KeyRemapTable& table) {
    const int limit = std::clamp<std::int32_t>(table.Count, 0, kMaxKeyMappings);
    int n = 0;
    while (n < limit && table.Entries[n].FromVk != 0) ++n;
    return n;
}

void NormaliseTable(KeyRemapTable& table) {
    const int used = UsedMappings(table);
    table.Header1 = table.Header2 = 0;
    table.Count = used;
    std::memset(&table.Entries[used], 0, (kKeyRemapEntries - used) * kEntrySize);
}

AddResult AddKeyMap(KeyRemapTable& table, int fromVk, int fromScan, int modifiers, int toScan, int toVk) {
    if (fromVk < 1 || fromVk > 255 || toVk < 1 || toVk > 255) return AddResult::NoKey;
    if (fromVk == toVk && (modifiers & 7) == 0) return AddResult::SameKey;
    NormaliseTable(table);
    if (table.Count >= kMaxKeyMappings) return AddResult::TableFull;
    KeyRemapEntry& e = table.Entries[table.Count];
    e.FromScan = static_cast<std::uint8_t>(fromScan);
    e.FromVk = static_cast<std::uint8_t>(fromVk);
    e.ToScan = static_cast<std::uint8_t>(toScan);
    e.ToVk = static_cast<std::uint8_t>(toVk);
    e.ForceModifiers = static_cast<std::uint8_t>(modifiers & 7);
    ++table.Count;
    return AddResult::Added;
}

bool RemoveKeyMap(KeyRemapTable& table, int index) {
    NormaliseTable(table);
    if (index < 0 || index >= table.Count) return false;
    // The zero entry after the last used one moves up too.
    for (int i = index; i < table.Count; ++i) table.Entries[i] = table.Entries[i + 1];
    --table.Count;
    std::memset(&table.Entries[table.Count], 0, kEntrySize);
    return true;
}

std::string AddResultMessage(AddResult result) {
    switch (result) {
    case AddResult::Added: return {};
    case AddResult::TableFull: return "The table holds at most 98 mappings; remove one first.";
    case AddResult::SameKey: return "A key cannot be mapped to itself.";
    case AddResult::NoKey: return "Please choose both keys.";
    }
    return {};
}

std::vector<std::uint8_t> ProgramValue(const KeyRemapTable& source) {
    KeyRemapTable table = source;
    NormaliseTable(table);
    const std::size_t size = kHeaderSize + kEntrySize * (static_cast<std::size_t>(table.Count) + 1);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&table);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

StoredMap ParseProgramValue(const std::uint8_t* data, std::size_t size) {
    StoredMap stored;
    if (!data || size == 0 || size > kTableSize) {
        stored.problem = StoredMapProblem::WrongSize;
        return stored;
    }
    std::memcpy(&stored.table, data, size);
    const std::size_t whole = size < kHeaderSize ? 0 : (size - kHeaderSize) / kEntrySize;
    const std::int32_t declared = size < kHeaderSize ? 0 : stored.table.Count;
    // Entries past the value's end, and a partial last one, were never stored.
    std::memset(reinterpret_cast<std::uint8_t*>(&stored.table) + std::min(size, kHeaderSize + whole * kEntrySize), 0,
                kTableSize - std::min(size, kHeaderSize + whole * kEntrySize));
    if (size < kHeaderSize + kEntrySize || (size - kHeaderSize) % kEntrySize != 0) {
        stored.problem = StoredMapProblem::WrongSize;
    } else if (declared < 0 || declared > kMaxKeyMappings || static_cast<std::size_t>(declared) > whole) {
        stored.problem = StoredMapProblem::WrongCount;
    } else if (static_cast<std::size_t>(declared) == whole || !IsZero(stored.table.Entries[declared])) {
        stored.problem = StoredMapProblem::MissingTerminator;
    }
    if (stored.problem == StoredMapProblem::WrongCount || stored.problem == StoredMapProblem::WrongSize)
        stored.table.Count = static_cast<std::int32_t>(std::min<std::size_t>(whole, kMaxKeyMappings));
    NormaliseTable(stored.table);
    if (stored.problem == StoredMapProblem::None && stored.table.Count != declared)
        stored.problem = StoredMapProblem::WrongCount;  // an entry without a key inside the count
    return stored;
}

StoredMap ReadProgramValue(const std::string& hotkeyKey) {
    StoredMap missing;
    missing.problem = StoredMapProblem::Missing;
    const RegKey key = RegKey::Open(HKEY_CURRENT_USER, hotkeyKey.c_str(), KEY_QUERY_VALUE);
    if (!key) return missing;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), reg::kScancodeMap, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return missing;
    if (size == 0 || size > kTableSize) return ParseProgramValue(nullptr, 0);
    std::vector<std::uint8_t> bytes(size);
    if (RegQueryValueExA(key.get(), reg::kScancodeMap, nullptr, nullptr, bytes.data(), &size) != ERROR_SUCCESS)
        return ParseProgramValue(nullptr, 0);
    return ParseProgramValue(bytes.data(), std::min<std::size_t>(size, bytes.size()));
}

bool WriteProgramValue(const std::string& hotkeyKey, const KeyRemapTable& table) {
    const RegKey key = RegKey::Create(HKEY_CURRENT_USER, hotkeyKey.c_str(), KEY_SET_VALUE);
    if (!key) return false;
    const std::vector<std::uint8_t> value = ProgramValue(table);
    return RegSetValueExA(key.get(), reg::kScancodeMap, 0, REG_BINARY, value.data(),
                          static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
}

std::string StoredMapMessage(const StoredMap& stored) {
    const char* what = nullptr;
    switch (stored.problem) {
    case StoredMapProblem::None:
    case StoredMapProblem::Missing: return {};
    case StoredMapProblem::WrongSize: what = "its size is wrong"; break;
    case StoredMapProblem::WrongCount: what = "its count of mappings is wrong"; break;
    case StoredMapProblem::MissingTerminator: what = "its end mark is missing"; break;
    }
    return std::string("The stored key remapping of this profile was damaged (") + what + "). " +
           std::to_string(stored.table.Count) + " mapping(s) could be kept; OK stores the table as it is shown.";
}

std::vector<std::uint8_t> SystemValue(const KeyRemapTable& source) {
    KeyRemapTable table = source;
    NormaliseTable(table);
    std::vector<std::uint8_t> out;
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, static_cast<std::uint32_t>(table.Count) + 1);
    for (int i = 0; i < table.Count; ++i) {
        const KeyRemapEntry& e = table.Entries[i];
        PutWord(out, (SystemScanCode(e.FromVk, e.FromScan) << 16) | SystemScanCode(e.ToVk, e.ToScan));
    }
    PutWord(out, 0);
    return out;
}

bool HasForcedModifiers(const KeyRemapTable& source) {
    KeyRemapTable table = source;
    NormaliseTable(table);
    for (int i = 0; i < table.Count; ++i)
        if (table.Entries[i].ForceModifiers != 0) return true;
    return false;
}

LONG OpenKeyboardLayoutKey(RegKey& key) {
    HKEY h = nullptr;
    const LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    &h, nullptr);
    key = rc == ERROR_SUCCESS ? RegKey::Adopt(h) : RegKey();
    return rc;
}

PermanentResult WritePermanentMap(const KeyRemapTable& table, LayoutKeyOpener open) {
    if (HasForcedModifiers(table)) return PermanentResult::HasModifiers;
    // Built whole before the key is touched; one call then writes all of it or nothing.
    const std::vector<std::uint8_t> value = SystemValue(table);
    RegKey key;
    const LONG opened = open(key);
    if (opened != ERROR_SUCCESS || !key) {
        const PermanentResult r = FromError(opened == ERROR_SUCCESS ? ERROR_INVALID_HANDLE : opened);
        return r == PermanentResult::NothingToRemove ? PermanentResult::Failed : r;
    }
    const PermanentResult r = FromError(RegSetValueExA(key.get(), reg::kScancodeMap, 0, REG_BINARY, value.data(),
                                                       static_cast<DWORD>(value.size())));
    return r == PermanentResult::NothingToRemove ? PermanentResult::Failed : r;
}

PermanentResult RemovePermanentMap(LayoutKeyOpener open) {
    RegKey key;
    const LONG opened = open(key);
    if (opened != ERROR_SUCCESS || !key) return FromError(opened == ERROR_SUCCESS ? ERROR_INVALID_HANDLE : opened);
    return FromError(RegDeleteValueA(key.get(), reg::kScancodeMap));
}

std::string PermanentResultMessage(PermanentResult result, bool removing) {
    const std::string what = removing ? "removed" : "written";
    switch (result) {
    case PermanentResult::Done:
    case PermanentResult::HasModifiers: return {};
    case PermanentResult::NotAllowed:
        return "Windows did not allow the permanent keyboard mapping to be " + what +
               ": this needs administrator rights. Nothing was changed.";
    case PermanentResult::NothingToRemove: return "There is no permanent keyboard mapping to remove.";
    case PermanentResult::Failed:
        return "The permanent keyboard mapping could not be " + what + ". Nothing was changed.";
    }
    return {};
}

}  // namespace kl
