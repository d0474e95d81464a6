// The hotkey store against the real registry and block: IDs, the per-key
// index, the definitions and the block's table, checked against what the
// support library loads from the same registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "char_substitution.h"
#include "model/hotkey_store.h"
#include "model/registry_helpers.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";
const std::string kSep(1, '\xFF');

std::string Sub(int id) { return std::string(kHotkeys) + "HotKey" + std::to_string(id); }
std::optional<std::string> Index(int k) { return GetText(kHotkeys, std::to_string(k).c_str()); }
std::optional<std::string> StoredFunction(int id) {
    auto stored = GetText(Sub(id), "Function");
    if (!stored) return std::nullopt;
    return UnscrambleFunction(*stored);
}

// The support library's lookups, as the main program calls them.
class SupportLookups {
public:
    HotkeyReader Reader() const {
        return ReaderFrom([f = getHotkey_](std::int32_t id, std::int32_t* m, std::int32_t* k, std::int32_t* fn,
                                           char* d, char* p) { return f && f(id, m, k, fn, d, p) != FALSE; });
    }
    int Registered(int key, int modifier) const { return registered_(static_cast<std::uint32_t>(key), modifier); }

private:
    Library lib_{"klsupport.dll"};
    BOOL(WINAPI* getHotkey_)(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, char*, char*) =
        lib_.Get<BOOL WINAPI(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, char*, char*)>("GetHotkey");
    std::int32_t(WINAPI* registered_)(std::uint32_t, std::int32_t) =
        lib_.Get<std::int32_t WINAPI(std::uint32_t, std::int32_t)>("RegisteredHotkeyEx");
};

using Row = std::tuple<int, int, int, int>;

class HotkeyStoreTest : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    SupportLookups support_;
    HotkeyStore store_{kHotkeys, &map_.block(), support_.Reader()};

    void SetUp() override {
        ASSERT_TRUE(map_);
        std::memset(b().Hotkeys, 0, sizeof b().Hotkeys);
        std::memset(b().HotkeyCountPerKey, 0, sizeof b().HotkeyCountPerKey);
        std::memset(&b().ProfileName, 0, sizeof b().ProfileName);
    }
    SettingsBlock& b() { return map_.block(); }

    int Store(int id, int key, int modifier, int function = 97, std::string_view parameter = "") {
        const StoreResult r = store_.StoreHotkey(id, key, modifier, function, "desc", parameter);
        EXPECT_EQ(r.error, "");
        return r.id;
    }
    std::vector<Row> Rows() {
        std::vector<Row> rows;
        for (const HotkeyEntry& e : b().Hotkeys) {
            if (e.ID == 0) break;
            rows.emplace_back(e.ID, e.Key, e.Modifier, e.Flag);
        }
        return rows;
    }
    // The table the store keeps equals the one the support library loads,
    // apart from the order of the rows.
    void ExpectLoadAgrees() {
        auto kept = Rows();
        std::uint8_t counts[256];
        std::memcpy(counts, b().HotkeyCountPerKey, sizeof counts);
        Library lib("klsupport.dll");
        lib.Get<BOOL WINAPI()>("LoadSettingsIntoMap")();
        auto loaded = Rows();
        std::sort(kept.begin(), kept.end());
        std::sort(loaded.begin(), loaded.end());
        EXPECT_EQ(kept, loaded);
        EXPECT_EQ(0, std::memcmp(counts, b().HotkeyCountPerKey, sizeof counts));
    }
};

}  // namespace

TEST_F(HotkeyStoreTest, FirstDefinitionGetsIdOne) {
    const std::string parameter = "notepad.exe" + kSep + "2" + kSep;
    ASSERT_EQ(store_.StoreHotkey(-1, 65, 3, 16, "Editor", parameter).id, 1);
    EXPECT_EQ(GetText(kHotkeys, "MaxKeyID"), "1");
    EXPECT_EQ(Index(65), "1;");
    EXPECT_EQ(GetText(Sub(1), "Key"), "65");
    EXPECT_EQ(GetText(Sub(1), "Modifier"), "3");
    EXPECT_EQ(GetText(Sub(1), "Description"), "Editor");
    EXPECT_EQ(StoredFunction(1), "16;" + parameter);
    EXPECT_EQ(Rows(), (std::vector<Row>{{1, 65, 3, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[65], 1);

    EXPECT_EQ(Store(-5, 65, 2), 2);
    EXPECT_EQ(Index(65), "1;2;");
    EXPECT_EQ(GetText(kHotkeys, "MaxKeyID"), "2");
    ExpectLoadAgrees();
}

TEST_F(HotkeyStoreTest, ScanCodeKeysAreIndexedUnder255) {
    ASSERT_EQ(Store(-1, 300, 0), 1);
    EXPECT_EQ(Index(255), "1;");
    EXPECT_EQ(GetText(Sub(1), "Key"), "300");
    EXPECT_EQ(Rows(), (std::vector<Row>{{1, 300, 0, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[255], 1);
    ExpectLoadAgrees();

    // Another scan-code key shares the index value; the row follows the key.
    EXPECT_EQ(Store(1, 301, 0), 1);
    EXPECT_EQ(Index(255), "1;");
    EXPECT_EQ(Rows(), (std::vector<Row>{{1, 301, 0, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[255], 1);
}

TEST_F(HotkeyStoreTest, NewKeyMovesTheDefinitionBetweenLists) {
    Store(-1, 65, 1);
    Store(-1, 66, 1);
    Store(-1, 65, 4);
    EXPECT_EQ(Store(1, 67, 1, 160, "moved"), 1);
    EXPECT_EQ(Index(65), "3;");
    EXPECT_EQ(Index(66), "2;");
    EXPECT_EQ(Index(67), "1;");
    EXPECT_EQ(Rows(), (std::vector<Row>{{2, 66, 1, 0}, {3, 65, 4, 0}, {1, 67, 1, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[65], 1);
    EXPECT_EQ(b().HotkeyCountPerKey[67], 1);
    EXPECT_EQ(StoredFunction(1), "160;moved");
    EXPECT_EQ(GetText(kHotkeys, "MaxKeyID"), "3");
    ExpectLoadAgrees();
}

TEST_F(HotkeyStoreTest, UnchangedKeyKeepsOneIndexEntryAndOneRow) {
    Store(-1, 65, 2);
    EXPECT_EQ(Store(1, 65, 2, 160, "again"), 1);
    EXPECT_EQ(Store(1, 65, 2, 161, "and again"), 1);
    EXPECT_EQ(Index(65), "1;");
    EXPECT_EQ(Rows(), (std::vector<Row>{{1, 65, 2, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[65], 1);
    EXPECT_EQ(StoredFunction(1), "161;and again");

    // A new modifier alone also rewrites the row, still only one.
    EXPECT_EQ(Store(1, 65, 8), 1);
    EXPECT_EQ(Index(65), "1;");
    EXPECT_EQ(Rows(), (std::vector<Row>{{1, 65, 8, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[65], 1);
    ExpectLoadAgrees();
}

TEST_F(HotkeyStoreTest, AMouseButtonHotkeyWorksWithoutReloading) {
    b().MouseHotkeys = 0;
    Store(-1, 3, 0);
    EXPECT_EQ(b().MouseHotkeys, 0);
    Store(-1, 4, 2);
    EXPECT_EQ(b().MouseHotkeys, -1);
    ExpectLoadAgrees();
    EXPECT_EQ(b().MouseHotkeys, -1);
}

TEST_F(HotkeyStoreTest, ListMembershipComparesWholeIds) {
    SetString(kHotkeys, "65", "11;21;");
    SetString(kHotkeys, "MaxKeyID", "0");
    EXPECT_EQ(Store(-1, 65, 0), 1);
    EXPECT_EQ(Index(65), "11;21;1;");
    EXPECT_TRUE(store_.DeleteHotkey(1));
    EXPECT_EQ(Index(65), "11;21;");
}

TEST_F(HotkeyStoreTest, ADefinitionIsListedUnderItsOwnKeyOnly) {
    SetString(kHotkeys, "66", "5;6;");
    SetString(Sub(5), "Description", "lost its key");
    EXPECT_EQ(Store(5, 65, 0), 5);
    EXPECT_EQ(Index(66), "6;");
    EXPECT_EQ(Index(65), "5;");
}

TEST_F(HotkeyStoreTest, DeletingTheLastIdOfAListDeletesTheValue) {
    Store(-1, 65, 0);
    Store(-1, 66, 0);
    Store(-1, 66, 1);
    SetString(kHotkeys, "70", "7;;x;9");  // an unrelated, untidy list
    ASSERT_TRUE(store_.DeleteHotkey(1));
    EXPECT_FALSE(Index(65).has_value());
    EXPECT_FALSE(GetValue(Sub(1), "Key").has_value());
    EXPECT_EQ(Index(66), "2;3;");
    EXPECT_EQ(Index(70), "7;;x;9");  // untouched
    EXPECT_EQ(Rows(), (std::vector<Row>{{2, 66, 0, 0}, {3, 66, 1, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[65], 0);

    ASSERT_TRUE(store_.DeleteHotkey(2));
    EXPECT_EQ(Index(66), "3;");
    EXPECT_EQ(Rows(), (std::vector<Row>{{3, 66, 1, 0}}));
    EXPECT_EQ(b().HotkeyCountPerKey[66], 1);
    EXPECT_FALSE(store_.DeleteHotkey(2));  // already gone
    EXPECT_EQ(b().HotkeyCountPerKey[66], 1);
}

TEST_F(HotkeyStoreTest, FindHotkeyIdReadsTheStoredNumbers) {
    Store(-1, 65, 3);
    Store(-1, 300, 0);
    EXPECT_EQ(store_.FindHotkeyID(65, 3), 1);
    EXPECT_EQ(store_.FindHotkeyID(300, 0), 2);
    EXPECT_EQ(store_.FindHotkeyID(65, 2), -1);
    EXPECT_EQ(store_.FindHotkeyID(66, 3), -1);

    // The registry's number rule, as klsupport and the settings load read them.
    SetString(Sub(1), "Modifier", "03");
    EXPECT_EQ(store_.FindHotkeyID(65, 3), 1);
    SetString(Sub(1), "Modifier", " 3");
    EXPECT_EQ(store_.FindHotkeyID(65, 3), -1);

    // Two definitions with the same key and modifier: the later in the key's own
    // list wins; a definition listed under another key is not on this one.
    SetString(Sub(1), "Modifier", "3");
    SetString(kHotkeys, "65", "1;9;");
    SetString(Sub(9), "Key", "65");
    SetString(Sub(9), "Modifier", "3");
    EXPECT_EQ(store_.FindHotkeyID(65, 3), 9);
    SetString(kHotkeys, "65", "1;");
    SetString(kHotkeys, "66", "9;");
    EXPECT_EQ(store_.FindHotkeyID(65, 3), 1);
}

TEST_F(HotkeyStoreTest, ListHotkeysGivesOneLinePerIndexedId) {
    store_.StoreHotkey(-1, 65, 3, 16, "Editor", "notepad.exe" + kSep);
    store_.StoreHotkey(-1, 65, 1, 1, "On", "");
    SetString(kHotkeys, "66", "7;");  // indexed without a definition
    const auto lines = store_.ListHotkeys();
    EXPECT_EQ(lines, (std::vector<std::string>{"1;Editor;3;65;16;notepad.exe" + kSep, "2;On;1;65;1;", "7;;0;0;0;"}));
}

TEST_F(HotkeyStoreTest, TheSupportLibraryFindsWhatTheStoreWrote) {
    const std::string parameter = std::string(200, '\xFF') + std::string(55, 'z');
    const int id = store_.StoreHotkey(-1, 300, 5, 164, "Long", parameter).id;
    const HotkeyDetails d = support_.Reader()(id);
    EXPECT_EQ(d.functionId, 164);
    EXPECT_EQ(d.parameter, parameter);
    EXPECT_EQ(d.key, 300);
    EXPECT_EQ(d.modifier, 5);
    EXPECT_EQ(d.description, "Long");
    EXPECT_EQ(support_.Registered(300, 5), id);
    EXPECT_EQ(store_.FindHotkeyID(300, 5), id);

    Store(id, 66, 5);
    EXPECT_EQ(support_.Registered(300, 5), 0);
    EXPECT_EQ(support_.Registered(66, 5), id);
    store_.DeleteHotkey(id);
    EXPECT_EQ(support_.Registered(66, 5), 0);
}

TEST_F(HotkeyStoreTest, OverlongTextsAreCutAndLongListsKeptWhole) {
    const std::string parameter(300, 'p');
    const std::string description(300, 'd');
    ASSERT_EQ(store_.StoreHotkey(-1, 65, 0, 160, description, parameter).id, 1);
    EXPECT_EQ(StoredFunction(1), "160;" + parameter.substr(0, 255));  // scrambled, it is far beyond 255
    EXPECT_EQ(GetText(Sub(1), "Description"), description.substr(0, 255));

    std::string list;
    for (int id = 1000; id < 1080; ++id) list += std::to_string(id) + ";";
    SetString(kHotkeys, "66", list);
    const int id = Store(-1, 66, 0);
    EXPECT_EQ(Index(66), list + std::to_string(id) + ";");
    store_.DeleteHotkey(1040);
    std::string without = list;
    without.erase(without.find("1040;"), 5);
    EXPECT_EQ(Index(66), without + std::to_string(id) + ";");
}

TEST_F(HotkeyStoreTest, BadInputStoresNothing) {
    StoreResult r = store_.StoreHotkey(-1, 0, 0, 1, "", "");
    EXPECT_EQ(r.id, 0);
    EXPECT_NE(r.error, "");
    r = store_.StoreHotkey(-1, -7, 0, 1, "", "");
    EXPECT_EQ(r.id, 0);
    r = store_.StoreHotkey(0, 65, 0, 1, "", "");
    EXPECT_EQ(r.id, 0);
    EXPECT_NE(r.error, "");
    EXPECT_TRUE(ValueNames(kHotkeys).empty());
    EXPECT_TRUE(Rows().empty());
}

TEST_F(HotkeyStoreTest, LostMaxKeyIdNeverReusesAnId) {
    Store(-1, 65, 0);
    Store(-1, 66, 0);
    SetString(kHotkeys, "MaxKeyID", "x");
    EXPECT_EQ(Store(-1, 67, 0), 3);
    EXPECT_EQ(GetText(kHotkeys, "MaxKeyID"), "3");
    EXPECT_EQ(GetText(Sub(1), "Key"), "65");
}

TEST_F(HotkeyStoreTest, FullTableKeepsTheDefinitionInTheRegistryOnly) {
    for (int i = 0; i < 255; ++i) b().Hotkeys[i] = HotkeyEntry{1000 + i, 70, 0, 0};
    b().HotkeyCountPerKey[70] = 255;
    ASSERT_EQ(Store(-1, 65, 0), 1);  // the last free row
    EXPECT_EQ(b().Hotkeys[255].ID, 1);
    EXPECT_EQ(b().HotkeyCountPerKey[65], 1);

    EXPECT_EQ(Store(-1, 66, 0), 2);  // no row left
    EXPECT_EQ(Index(66), "2;");
    EXPECT_EQ(b().HotkeyCountPerKey[66], 0);

    // Deleting the definition in the last row frees that row.
    EXPECT_TRUE(store_.DeleteHotkey(1));
    EXPECT_EQ(b().Hotkeys[255].ID, 0);
    EXPECT_EQ(b().Hotkeys[254].ID, 1254);
    EXPECT_EQ(b().HotkeyCountPerKey[65], 0);
}

TEST_F(HotkeyStoreTest, AKeyCodeWithAllItsUsesTakenReportsTooManyHotkeys) {
    b().HotkeyCountPerKey[65] = 255;
    const StoreResult r = store_.StoreHotkey(-1, 65, 0, 1, "", "");
    EXPECT_EQ(r.id, 1);
    EXPECT_EQ(r.error, kTooManyHotkeys);
    EXPECT_EQ(Index(65), "1;");  // the registry holds it
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(b().HotkeyCountPerKey[65], 255);
}

TEST(HotkeyStoreUnmapped, WorksOnTheRegistryAlone) {
    CleanRegistry clean;
    HotkeyStore store(std::string(kHotkeys), nullptr);
    EXPECT_EQ(store.StoreHotkey(-1, 65, 1, 2, "", "").id, 1);
    EXPECT_EQ(store.FindHotkeyID(65, 1), 1);
    EXPECT_TRUE(store.DeleteHotkey(1));
    EXPECT_FALSE(Index(65).has_value());
}

TEST(HotkeyStoreWithoutKey, TouchesNothing) {
    CleanRegistry clean;
    HotkeyStore store("", nullptr);
    const StoreResult r = store.StoreHotkey(-1, 65, 0, 1, "", "");
    EXPECT_EQ(r.id, 0);
    EXPECT_NE(r.error, "");
    EXPECT_FALSE(GetText("", "MaxKeyID").has_value());
    EXPECT_FALSE(store.DeleteHotkey(1));
    EXPECT_EQ(store.FindHotkeyID(65, 0), -1);
    EXPECT_TRUE(store.ListHotkeys().empty());
}

TEST(HotkeyStoreProfile, WritesUnderTheGivenHotkeyKey) {
    CleanRegistry clean;
    const std::string key = "Software\\Corvane\\Keyloom\\Profiles\\Work\\Hotkeys";  // no trailing backslash
    HotkeyStore store(key, nullptr);
    EXPECT_EQ(store.StoreHotkey(-1, 65, 1, 2, "", "").id, 1);
    EXPECT_EQ(GetText(key + "\\", "65"), "1;");
    EXPECT_TRUE(GetText(key + "\\HotKey1", "Key").has_value());
    EXPECT_FALSE(Index(65).has_value());
}
