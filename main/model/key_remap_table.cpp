#include "model/key_remap_table.h"

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

// Keys of the extended part of the keyboard (and the keypad) send the same scan codes
// on every layout; these are the codes the system's map names them by. The layout's own
// answer is not taken for them: it may lack the 0xE0 prefix (then Delete would be the
// keypad's decimal point, Volume Mute the D key) or know no code at all.
struct FixedScanCode {
    int vk;
    std::uint16_t code;
};
constexpr FixedScanCode kFixedScanCodes[] = {
    {VK_CANCEL, 0xE046},   {VK_PRIOR, 0xE049},     {VK_NEXT, 0xE051},      {VK_END, 0xE04F},
    {VK_HOME, 0xE047},     {VK_LEFT, 0xE04B},      {VK_UP, 0xE048},        {VK_RIGHT, 0xE04D},
    {VK_DOWN, 0xE050},     {VK_SNAPSHOT, 0xE037},  {VK_INSERT, 0xE052},    {VK_DELETE, 0xE053},
    {VK_LWIN, 0xE05B},     {VK_RWIN, 0xE05C},      {VK_APPS, 0xE05D},      {VK_SLEEP, 0xE05F},
    {VK_NUMPAD0, 0x52},    {VK_NUMPAD1, 0x4F},     {VK_NUMPAD2, 0x50},     {VK_NUMPAD3, 0x51},
    {VK_NUMPAD4, 0x4B},    {VK_NUMPAD5, 0x4C},     {VK_NUMPAD6, 0x4D},     {VK_NUMPAD7, 0x47},
    {VK_NUMPAD8, 0x48},    {VK_NUMPAD9, 0x49},     {VK_MULTIPLY, 0x37},    {VK_ADD, 0x4E},
    {VK_SUBTRACT, 0x4A},   {VK_DECIMAL, 0x53},     {VK_DIVIDE, 0xE035},    {VK_NUMLOCK, 0x45},
    {VK_RCONTROL, 0xE01D}, {VK_RMENU, 0xE038},
    {VK_BROWSER_BACK, 0xE06A},      {VK_BROWSER_FORWARD, 0xE069}, {VK_BROWSER_REFRESH, 0xE067},
    {VK_BROWSER_STOP, 0xE068},      {VK_BROWSER_SEARCH, 0xE065},  {VK_BROWSER_FAVORITES, 0xE066},
    {VK_BROWSER_HOME, 0xE032},      {VK_VOLUME_MUTE, 0xE020},     {VK_VOLUME_DOWN, 0xE02E},
    {VK_VOLUME_UP, 0xE030},         {VK_MEDIA_NEXT_TRACK, 0xE019}, {VK_MEDIA_PREV_TRACK, 0xE010},
    {VK_MEDIA_STOP, 0xE024},        {VK_MEDIA_PLAY_PAUSE, 0xE022}, {VK_LAUNCH_MAIL, 0xE06C},
    {VK_LAUNCH_MEDIA_SELECT, 0xE06D}, {VK_LAUNCH_APP1, 0xE06B},   {VK_LAUNCH_APP2, 0xE021},
};

// Shift, Ctrl and Alt are named by their left key.
bool SameKey(int vk, int named) {
    if (vk == named) return true;
    return (vk == VK_SHIFT && named == VK_LSHIFT) || (vk == VK_CONTROL && named == VK_LCONTROL) ||
           (vk == VK_MENU && named == VK_LMENU);
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

std::uint16_t SystemScanCode(int vk) {
    // Mouse buttons have no scan code; Pause sends an 0xE1 sequence that one word cannot hold.
    if (vk < 1 || vk > 254 || vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON || vk == VK_XBUTTON1 ||
        vk == VK_XBUTTON2 || vk == VK_PAUSE)
        return 0;
    for (const FixedScanCode& f : kFixedScanCodes)
        if (f.vk == vk) return f.code;
    // The other keys sit where the layout puts them; its code counts only when it
    // names this very key again (a layout may give a code of another key, or none).
    const UINT code = MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC_EX);
    const UINT prefix = code >> 8;
    if ((code & 0xFF) == 0 || (prefix != 0 && prefix != 0xE0)) return 0;
    if (!SameKey(vk, static_cast<int>(MapVirtualKeyA(code, MAPVK_VSC_TO_VK_EX)))) return 0;
    return static_cast<std::uint16_t>(code);
}

std::vector<int> KeysWithoutSystemScanCode(const KeyRemapTable& source) {
    KeyRemapTable table = source;
    NormaliseTable(table);
    std::vector<int> keys;
    for (int i = 0; i < table.Count; ++i) {
        for (const int vk : {int(table.Entries[i].FromVk), int(table.Entries[i].ToVk)})
            if (SystemScanCode(vk) == 0 && std::find(keys.begin(), keys.end(), vk) == keys.end()) keys.push_back(vk);
    }
    return keys;
}

std::vector<std::uint8_t> SystemValue(const KeyRemapTable& source) {
    KeyRemapTable table = source;
    NormaliseTable(table);
    std::vector<std::uint32_t> words;
    for (int i = 0; i < table.Count; ++i) {
        const std::uint32_t from = SystemScanCode(table.Entries[i].FromVk);
        const std::uint32_t to = SystemScanCode(table.Entries[i].ToVk);
        if (from != 0 && to != 0) words.push_back((from << 16) | to);
    }
    std::vector<std::uint8_t> out;
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, static_cast<std::uint32_t>(words.size()) + 1);
    for (const std::uint32_t w : words) PutWord(out, w);
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
    if (!KeysWithoutSystemScanCode(table).empty()) return PermanentResult::NoScanCode;
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
    case PermanentResult::HasModifiers:
    case PermanentResult::NoScanCode: return {};
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
