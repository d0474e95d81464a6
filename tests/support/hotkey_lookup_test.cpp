// GetHotkey and RegisteredHotkeyEx over stored hotkeys in the registry.
#include <vector>

#include "hotkey_fixture.h"

using namespace kl;
using namespace kl::testing;

namespace {

struct Out {
    std::int32_t modifier = -7, key = -7, function = -7;
    std::vector<char> description = std::vector<char>(1100, '\x55');
    std::vector<char> parameters = std::vector<char>(1100, '\x55');
    std::string Description() const { return description.data(); }
    std::string Parameters() const { return parameters.data(); }
    // Nothing written past the 1024 bytes the caller promises.
    bool TailUntouched() const {
        for (std::size_t i = 1024; i < 1100; ++i)
            if (description[i] != '\x55' || parameters[i] != '\x55') return false;
        return true;
    }
};

}  // namespace

TEST(HotkeyUnmapped, ExportsFailWithoutTheBlock) {
    Library lib("klsupport.dll");
    std::int32_t m = 5, k = 5, f = 5;
    char d[1024] = "x", p[1024] = "x";
    EXPECT_FALSE(lib.Get<GetHotkeyFn>("GetHotkey")(1, &m, &k, &f, d, p));
    EXPECT_EQ(m | k | f, 0);
    EXPECT_EQ(d[0] | p[0], 0);
    EXPECT_EQ(lib.Get<RegisteredHotkeyExFn>("RegisteredHotkeyEx")(65, 1), 0);
    EXPECT_FALSE(lib.Get<ExecuteHotkeyExFn>("ExecuteHotkeyEx")(65, 1, TRUE));
}

TEST_F(HotkeyTest, GetHotkeyReadsTheStoredDefinition) {
    StoreHotkey(kHotkeysKey, 3, 78, 3, "16;notepad.exe\xFF" "2\xFF" "a b", "Editor");
    StoreHotkey(kHotkeysKey, 4, 300, 8, "97;");
    Out o;
    ASSERT_TRUE(getHotkey_(3, &o.modifier, &o.key, &o.function, o.description.data(), o.parameters.data()));
    EXPECT_EQ(o.modifier, 3);
    EXPECT_EQ(o.key, 78);
    EXPECT_EQ(o.function, 16);
    EXPECT_EQ(o.Description(), "Editor");
    EXPECT_EQ(o.Parameters(), "notepad.exe\xFF" "2\xFF" "a b");

    ASSERT_TRUE(getHotkey_(4, &o.modifier, &o.key, &o.function, nullptr, o.parameters.data()));
    EXPECT_EQ(o.function, 97);
    EXPECT_EQ(o.Parameters(), "");
    EXPECT_EQ(o.key, 300);
    EXPECT_TRUE(getHotkey_(4, nullptr, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(HotkeyTest, InvalidFunctionValuesGiveFalseWithKeyAndModifierFilled) {
    const std::string sub = std::string(kHotkeysKey) + "HotKey9";
    StoreHotkey(kHotkeysKey, 9, 65, 2, "97", "no separator");
    const std::string stored = ScrambleFunction("97;x");
    const std::vector<std::string> bad = {ScrambleFunction("97"), "97;", stored.substr(0, 1), stored + "=", ""};
    for (const std::string& value : bad) {
        SetString(sub, "Function", value);
        Out o;
        EXPECT_FALSE(getHotkey_(9, &o.modifier, &o.key, &o.function, o.description.data(), o.parameters.data()))
            << value;
        EXPECT_EQ(o.modifier, 2);
        EXPECT_EQ(o.key, 65);
        EXPECT_EQ(o.function, 0);
        EXPECT_EQ(o.Description(), "no separator");
        EXPECT_EQ(o.Parameters(), "");
    }
    // Not a number before the separator: function 0, still a definition.
    SetString(sub, "Function", ScrambleFunction("x;p"));
    Out o;
    EXPECT_TRUE(getHotkey_(9, &o.modifier, &o.key, &o.function, nullptr, o.parameters.data()));
    EXPECT_EQ(o.function, 0);
    EXPECT_EQ(o.Parameters(), "p");
}

TEST_F(HotkeyTest, MissingHotkeyAndForeignValueTypesReadAsZero) {
    Out o;
    EXPECT_FALSE(getHotkey_(12, &o.modifier, &o.key, &o.function, o.description.data(), o.parameters.data()));
    EXPECT_EQ(o.modifier | o.key | o.function, 0);
    EXPECT_EQ(o.Description() + o.Parameters(), "");

    const std::string sub = std::string(kHotkeysKey) + "HotKey12";
    StoreHotkey(kHotkeysKey, 12, 65, 1, "1;");
    const DWORD number = 65;
    SetValue(sub, "Key", REG_DWORD, &number, sizeof number);
    SetString(sub, "modifier", "Ctrl");
    EXPECT_TRUE(getHotkey_(12, &o.modifier, &o.key, &o.function, nullptr, nullptr));
    EXPECT_EQ(o.key, 0);
    EXPECT_EQ(o.modifier, 0);
    EXPECT_EQ(o.function, 1);
}

TEST_F(HotkeyTest, TextsOver1023CharactersCountAsMissingAndBuffersAreNotOverrun) {
    const std::string sub = std::string(kHotkeysKey) + "HotKey7";
    StoreHotkey(kHotkeysKey, 7, 65, 1, "160;" + std::string(700, 'p'), std::string(1023, 'd'));
    Out o;
    ASSERT_TRUE(getHotkey_(7, &o.modifier, &o.key, &o.function, o.description.data(), o.parameters.data()));
    EXPECT_EQ(o.Description(), std::string(1023, 'd'));
    EXPECT_EQ(o.Parameters(), std::string(700, 'p'));
    EXPECT_TRUE(o.TailUntouched());

    SetString(sub, "Description", std::string(1024, 'd'));
    SetString(sub, "Function", ScrambleFunction("160;" + std::string(800, 'p')));  // 1072 symbols
    Out big;
    EXPECT_FALSE(getHotkey_(7, &big.modifier, &big.key, &big.function, big.description.data(),
                            big.parameters.data()));
    EXPECT_EQ(big.Description(), "");
    EXPECT_EQ(big.Parameters(), "");
    EXPECT_EQ(big.key, 65);
    EXPECT_TRUE(big.TailUntouched());
}

TEST_F(HotkeyTest, ProfileSelectsItsOwnHotkeyKey) {
    const std::string work = "Software\\Corvane\\Keyloom\\Profiles\\Work\\Hotkeys\\";
    StoreHotkey(kHotkeysKey, 2, 65, 1, "1;base");
    StoreHotkey(work, 2, 66, 2, "2;work");
    StoreIndex(work, "66", "2");
    SetText255(b().ProfileName, "Work");
    Out o;
    ASSERT_TRUE(getHotkey_(2, &o.modifier, &o.key, &o.function, nullptr, o.parameters.data()));
    EXPECT_EQ(o.Parameters(), "work");
    EXPECT_EQ(registered_(66, 2), 2);
    EXPECT_EQ(registered_(65, 1), 0);
}

TEST_F(HotkeyTest, RegisteredHotkeyTakesTheListsIdsAsTheLoadDoes) {
    StoreHotkey(kHotkeysKey, 5, 65, 1, "1;");
    StoreHotkey(kHotkeysKey, 6, 65, 2, "1;");
    SetString(std::string(kHotkeysKey) + "HotKey6", "Modifier", "02");
    // An empty, blank or foreign piece names no hotkey; the IDs after it still count,
    // as they have rows in the block's table that the hooks fire.
    StoreIndex(kHotkeysKey, "65", "5;;6");
    EXPECT_EQ(registered_(65, 1), 5);
    EXPECT_EQ(registered_(65, 2), 6);  // "02" reads as 2, as the load reads it
    StoreIndex(kHotkeysKey, "65", "; 6 ;x;0");
    EXPECT_EQ(registered_(65, 2), 6);
    StoreIndex(kHotkeysKey, "65", "5;6;");
    EXPECT_EQ(registered_(65, 2), 6);
    EXPECT_EQ(registered_(65, 4), 0);  // modifier differs
    EXPECT_EQ(registered_(66, 1), 0);  // no list for the key
}

TEST_F(HotkeyTest, LaterMatchWins) {
    StoreHotkey(kHotkeysKey, 7, 70, 3, "1;");
    StoreHotkey(kHotkeysKey, 8, 70, 3, "2;");
    StoreIndex(kHotkeysKey, "70", "7;8");
    EXPECT_EQ(registered_(70, 3), 8);
    StoreIndex(kHotkeysKey, "70", "8;7;99");  // 99 has no subkey
    EXPECT_EQ(registered_(70, 3), 7);
    StoreIndex(kHotkeysKey, "70", "8;7;abc");  // not an ID: skipped
    EXPECT_EQ(registered_(70, 3), 7);
}

TEST_F(HotkeyTest, ScanCodeKeysAreListedUnder255) {
    StoreHotkey(kHotkeysKey, 11, 300, 0, "1;");
    StoreHotkey(kHotkeysKey, 12, 255, 0, "1;");
    StoreIndex(kHotkeysKey, "255", "11;12");
    StoreIndex(kHotkeysKey, "44", "11");  // 300 & 0xFF: not where it is listed
    EXPECT_EQ(registered_(300, 0), 11);
    EXPECT_EQ(registered_(255, 0), 12);
    EXPECT_EQ(registered_(44, 0), 0);
    EXPECT_EQ(registered_(301, 0), 0);

    const DWORD binary = 11;
    SetValue(kHotkeysKey, "255", REG_BINARY, &binary, sizeof binary);
    EXPECT_EQ(registered_(300, 0), 0);  // the list must be REG_SZ
}
