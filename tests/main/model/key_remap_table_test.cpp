// The key remapping table: editing it within its bounds, its program value in the
// registry (also damaged ones), and the system's scan-code map.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "model/key_names.h"
#include "model/key_remap_table.h"
#include "model/text_fields.h"
#include "registry_names.h"
#include "testing/registry.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::testing;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Header(std::int32_t count) {
    Bytes b(12, 0);
    std::memcpy(b.data() + 8, &count, 4);
    return b;
}
void AddEntry(Bytes& b, std::uint8_t fromVk, std::uint8_t toVk, std::uint8_t mods = 0) {
    b.insert(b.end(), {std::uint8_t(fromVk + 1), fromVk, std::uint8_t(toVk + 1), toVk, mods});
}
StoredMap Parse(const Bytes& b) { return ParseProgramValue(b.data(), b.size()); }

TEST(KeyRemapTable, AddsWithinItsBoundsAndRefusesAKeyMappedToItself) {
    KeyRemapTable t{};
    EXPECT_EQ(AddKeyMap(t, 65, 0x1E, 0, 0x1E, 65), AddResult::SameKey);
    EXPECT_EQ(AddKeyMap(t, 65, 0x1E, 4, 0x1E, 65), AddResult::Added);  // A gives Shift+A
    EXPECT_EQ(AddKeyMap(t, 0, 0, 0, 0x30, 66), AddResult::NoKey);
    for (int i = 1; i < kMaxKeyMappings; ++i) ASSERT_EQ(AddKeyMap(t, 66, 0x30, 0, 0x1E, 65), AddResult::Added) << i;
    EXPECT_EQ(t.Count, 98);
    EXPECT_EQ(AddKeyMap(t, 66, 0x30, 0, 0x1E, 65), AddResult::TableFull);
    EXPECT_FALSE(AddResultMessage(AddResult::TableFull).empty());

    // A count that another program wrote into the block is never trusted.
    for (std::int32_t hostile : {-5, 101, 1000000}) {
        KeyRemapTable h{};
        h.Count = hostile;
        std::memset(h.Entries, 0x41, sizeof h.Entries);
        EXPECT_LE(UsedMappings(h), kMaxKeyMappings);
        EXPECT_EQ(AddKeyMap(h, 70, 1, 0, 2, 71), hostile < 0 ? AddResult::Added : AddResult::TableFull);
        EXPECT_EQ(h.Entries[kKeyRemapEntries - 1].FromVk, 0);
    }
}

TEST(KeyRemapTable, ProgramValueHoldsTheUsedEntriesAndOneZeroEntry) {
    CleanRegistry clean;
    KeyRemapTable t{};
    ASSERT_EQ(AddKeyMap(t, 145, 0x46, 0, 0x41, 118), AddResult::Added);  // ScrollLock gives F7
    Bytes expected = Header(1);
    expected.insert(expected.end(), {0x46, 145, 0x41, 118, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(ProgramValue(t), expected);
    ASSERT_TRUE(WriteProgramValue(reg::kHotkeysKey, t));
    const auto stored = GetValue(reg::kHotkeysKey, "Scancode Map");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored->data, std::string(expected.begin(), expected.end()));
    const StoredMap back = ReadProgramValue(reg::kHotkeysKey);
    EXPECT_EQ(back.problem, StoredMapProblem::None);
    EXPECT_EQ(std::memcmp(&back.table, &t, sizeof t), 0);

    ASSERT_TRUE(RemoveKeyMap(t, 0));
    EXPECT_EQ(t.Count, 0);
    EXPECT_EQ(t.Entries[0].FromVk, 0);
    EXPECT_FALSE(RemoveKeyMap(t, 0));
    EXPECT_EQ(ProgramValue(t).size(), 17u);
    EXPECT_EQ(ReadProgramValue("Software\\Corvane\\Keyloom\\Nothing\\").problem, StoredMapProblem::Missing);
}

TEST(KeyRemapTable, DamagedStoredValuesAreReadWithinThemAndReported) {
    Bytes good = Header(2);
    AddEntry(good, 65, 66);
    AddEntry(good, 67, 68);
    good.resize(good.size() + 5, 0);
    EXPECT_EQ(Parse(good).problem, StoredMapProblem::None);
    EXPECT_EQ(Parse(good).table.Count, 2);

    struct Case {
        const char* what;
        Bytes bytes;
        StoredMapProblem problem;
        int kept;
    };
    Bytes noEnd = Header(2);
    AddEntry(noEnd, 65, 66);
    AddEntry(noEnd, 67, 68);
    Bytes partial = good;
    partial.resize(good.size() - 2);
    Bytes overcount = good;
    overcount[8] = 200;
    Bytes undercount = good;
    undercount[8] = 1;  // the second entry sits where the end mark belongs
    Bytes negative = good;
    std::memset(negative.data() + 8, 0xFF, 4);
    Bytes hole = Header(2);
    AddEntry(hole, 65, 66);
    hole.resize(hole.size() + 10, 0);
    const Case cases[] = {
        {"no end mark", noEnd, StoredMapProblem::MissingTerminator, 2},
        {"cut entry", partial, StoredMapProblem::WrongSize, 2},
        {"count beyond the value", overcount, StoredMapProblem::WrongCount, 2},
        {"count short of the entries", undercount, StoredMapProblem::MissingTerminator, 1},
        {"negative count", negative, StoredMapProblem::WrongCount, 2},
        {"empty entry inside the count", hole, StoredMapProblem::WrongCount, 1},
        {"header only", Header(0), StoredMapProblem::WrongSize, 0},
        {"over 517 bytes", Bytes(518, 0x41), StoredMapProblem::WrongSize, 0},
    };
    for (const Case& c : cases) {
        // Exactly the value's bytes: nothing beyond them may be read.
        const auto heap = std::make_unique<std::uint8_t[]>(c.bytes.size());
        std::memcpy(heap.get(), c.bytes.data(), c.bytes.size());
        const StoredMap m = ParseProgramValue(heap.get(), c.bytes.size());
        EXPECT_EQ(m.problem, c.problem) << c.what;
        EXPECT_EQ(m.table.Count, c.kept) << c.what;
        EXPECT_EQ(m.table.Entries[m.table.Count].FromVk, 0) << c.what;
        EXPECT_FALSE(StoredMapMessage(m).empty()) << c.what;
    }
}

// The system's map under Wine's HKEY_LOCAL_MACHINE: the prefix is shared, so whatever
// stood there before is put back.
class PermanentMap : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
        DWORD size = sizeof saved_;
        hadValue_ = RegQueryValueExA(key, "Scancode Map", nullptr, &savedType_, saved_, &size) == ERROR_SUCCESS;
        savedSize_ = size;
        RegCloseKey(key);
    }
    void TearDown() override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        if (hadValue_)
            RegSetValueExA(key, "Scancode Map", 0, savedType_, saved_, savedSize_);
        else
            RegDeleteValueA(key, "Scancode Map");
        RegCloseKey(key);
    }
    static Bytes Read() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyboardLayoutKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
        std::uint8_t data[1024];
        DWORD size = sizeof data;
        const bool ok = RegQueryValueExA(key, "Scancode Map", nullptr, nullptr, data, &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok ? Bytes(data, data + size) : Bytes();
    }
    bool hadValue_ = false;
    DWORD savedType_ = 0, savedSize_ = 0;
    std::uint8_t saved_[1024] = {};
};

TEST_F(PermanentMap, IsWrittenInTheSystemsLayoutAndReadBackByteForByte) {
    KeyRemapTable t{};
    ASSERT_EQ(AddKeyMap(t, 145, 0x46, 0, 0x41, 118), AddResult::Added);
    ASSERT_EQ(AddKeyMap(t, VK_DELETE, 0x53, 0, 0x47, VK_HOME), AddResult::Added);  // extended keys
    const Bytes expected = {0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0x41, 0, 0x46, 0,
                            0x47, 0xE0, 0x53, 0xE0, 0, 0, 0, 0};
    EXPECT_EQ(SystemValue(t), expected);
    ASSERT_EQ(WritePermanentMap(t), PermanentResult::Done);
    EXPECT_EQ(Read(), expected);
    EXPECT_EQ(RemovePermanentMap(), PermanentResult::Done);
    EXPECT_TRUE(Read().empty());
    EXPECT_EQ(RemovePermanentMap(), PermanentResult::NothingToRemove);

    ASSERT_EQ(AddKeyMap(t, 65, 0x1E, 2, 0x30, 66), AddResult::Added);  // Ctrl forced on
    EXPECT_EQ(WritePermanentMap(t), PermanentResult::HasModifiers);
    EXPECT_TRUE(Read().empty());
}

LONG RefusingOpener(RegKey&) { return ERROR_ACCESS_DENIED; }
// A key that opens, but only for reading: the write itself is refused.
LONG ReadOnlyOpener(RegKey& key) {
    HKEY h = nullptr;
    const LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Corvane\\Keyloom\\Layout", 0, nullptr, 0,
                                    KEY_QUERY_VALUE, nullptr, &h, nullptr);
    if (rc == ERROR_SUCCESS) key = RegKey::Adopt(h);
    return rc;
}

constexpr char kTestLayoutKey[] = "Software\\Corvane\\Keyloom\\Layout";
LONG UserLayoutOpener(RegKey& key) {
    HKEY h = nullptr;
    const LONG rc =
        RegCreateKeyExA(HKEY_CURRENT_USER, kTestLayoutKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
    if (rc == ERROR_SUCCESS) key = RegKey::Adopt(h);
    return rc;
}

// Every key the picker offers, pressed and produced, as the remapping dialog stores it:
// the system's map gets each key's own scan code, or nothing and a refusal.
TEST(PermanentMapKeys, EveryKeyOfThePickerIsWrittenByItsOwnScanCodeOrRefused) {
    CleanRegistry clean;
    KeyNames names(BinDir());
    const auto pick = names.KeyPickList();  // "name;code"
    ASSERT_TRUE(pick.ok());
    ASSERT_GT(pick.value.size(), 150u);
    const std::map<int, std::uint16_t> known = {
        {'D', 0x20},       {VK_VOLUME_MUTE, 0xE020}, {VK_DELETE, 0xE053}, {VK_DECIMAL, 0x53},
        {VK_HOME, 0xE047}, {VK_NUMPAD7, 0x47},       {VK_RCONTROL, 0xE01D}, {VK_NUMLOCK, 0x45},
        {VK_SNAPSHOT, 0xE037}, {VK_MULTIPLY, 0x37},  {VK_DIVIDE, 0xE035}, {VK_BROWSER_BACK, 0xE06A},
        {VK_MEDIA_PLAY_PAUSE, 0xE022}, {VK_F7, 0x41},
    };
    const auto stored = [] {
        const auto v = GetValue(kTestLayoutKey, "Scancode Map");
        return v ? Bytes(v->data.begin(), v->data.end()) : Bytes();
    };
    std::map<std::uint16_t, int> keyOfCode;
    int written = 0;
    for (const std::string& item : pick.value) {
        const int vk = NumberField(item.substr(item.rfind(';') + 1), 1);
        SCOPED_TRACE(item);
        for (const bool pressed : {true, false}) {
            const int other = vk == VK_F7 ? VK_F8 : VK_F7;
            const int from = pressed ? vk : other, to = pressed ? other : vk;
            KeyRemapTable t{};
            ASSERT_EQ(AddKeyMap(t, from, static_cast<int>(MapVirtualKeyA(from, MAPVK_VK_TO_VSC)), 0,
                                static_cast<int>(MapVirtualKeyA(to, MAPVK_VK_TO_VSC)), to),
                      AddResult::Added);
            RegDeleteKeyA(HKEY_CURRENT_USER, kTestLayoutKey);
            const PermanentResult r = WritePermanentMap(t, UserLayoutOpener);
            const bool cannot = vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON || vk == VK_XBUTTON1 ||
                                vk == VK_XBUTTON2 || vk == VK_PAUSE || vk == 255;
            if (cannot) {
                EXPECT_EQ(r, PermanentResult::NoScanCode);
            }
            if (r == PermanentResult::NoScanCode) {
                EXPECT_TRUE(stored().empty());
                EXPECT_EQ(KeysWithoutSystemScanCode(t), std::vector<int>{vk});
                break;
            }
            ASSERT_EQ(r, PermanentResult::Done);
            const Bytes value = stored();
            ASSERT_EQ(value.size(), 20u);
            EXPECT_EQ(value[8], 2);
            const std::uint16_t code = pressed ? value[14] | value[15] << 8 : value[12] | value[13] << 8;
            EXPECT_NE(code & 0xFF, 0);
            EXPECT_TRUE(code >> 8 == 0 || code >> 8 == 0xE0) << std::hex << code;
            if (const auto k = known.find(vk); k != known.end()) {
                EXPECT_EQ(code, k->second) << std::hex << code;
            }
            if (!pressed) continue;
            ++written;
            // No two keys share a code, but for two names of one key: Shift, Ctrl and Alt
            // are their left keys, Clear is the keypad's 5 without NumLock.
            const auto [at, fresh] = keyOfCode.emplace(code, vk);
            const std::pair<int, int> oneKey[] = {{VK_SHIFT, VK_LSHIFT}, {VK_CONTROL, VK_LCONTROL},
                                                  {VK_MENU, VK_LMENU}, {VK_CLEAR, VK_NUMPAD5}};
            bool leftKey = false;
            for (const auto& [a, b] : oneKey)
                leftKey = leftKey || (at->second == a && vk == b) || (at->second == b && vk == a);
            EXPECT_TRUE(fresh || leftKey) << std::hex << code << " also names key " << std::dec << at->second;
        }
    }
    EXPECT_GT(written, 100);
}

TEST_F(PermanentMap, WithoutTheRightToWriteNothingIsWrittenAndTheUserIsTold) {
    CleanRegistry clean;
    KeyRemapTable t{};
    ASSERT_EQ(AddKeyMap(t, 145, 0x46, 0, 0x41, 118), AddResult::Added);
    EXPECT_EQ(WritePermanentMap(t, RefusingOpener), PermanentResult::NotAllowed);
    EXPECT_EQ(RemovePermanentMap(RefusingOpener), PermanentResult::NotAllowed);
    EXPECT_EQ(WritePermanentMap(t, ReadOnlyOpener), PermanentResult::NotAllowed);
    EXPECT_FALSE(GetValue("Software\\Corvane\\Keyloom\\Layout", "Scancode Map").has_value());
    EXPECT_NE(PermanentResultMessage(PermanentResult::NotAllowed, false).find("administrator"), std::string::npos);
}

}  // namespace
