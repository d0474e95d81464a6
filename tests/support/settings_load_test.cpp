// Loading the settings into the block: defaults, value rules, the hotkey
// index, the remapping table and profile keys, through klsupport's exports.
#include <algorithm>
#include <vector>

#include "settings_fixture.h"
#include "testing/fresh_session.h"

using namespace kl;
using namespace kl::testing;

KL_REQUIRE_FRESH_SESSION();

namespace {

bool AllBytes(const void* p, std::size_t n, unsigned char v) {
    auto* c = static_cast<const unsigned char*>(p);
    return std::all_of(c, c + n, [v](unsigned char x) { return x == v; });
}

}  // namespace

TEST(SettingsUnmapped, ExportsFailUntilTheBlockExists) {
    CleanRegistry clean;
    CreateKey(kBase);
    Library lib("klsupport.dll");  // loaded before any mapping exists
    EXPECT_FALSE(lib.Get<BOOL WINAPI()>("LoadDefaultSettings")());
    EXPECT_FALSE(lib.Get<BOOL WINAPI()>("LoadSettingsIntoMap")());

    // Saving maps the block once it exists.
    SettingsMap map;
    EXPECT_EQ(map->BlockSize, 0u);
    EXPECT_TRUE(lib.Get<BOOL WINAPI()>("SaveSettingsFromMap")());
    EXPECT_EQ(map->BlockSize, kSettingsBlockSize);
    EXPECT_TRUE(GetValue(kBase, "WinD").has_value());
}

// A mapping of the block's name that another program created with SEC_RESERVE is as
// large as the block but not committed: writing BlockSize would fault in DllMain.
TEST(SettingsUnmapped, ForeignMappingOnlyReservedIsNotUsed) {
    CleanRegistry clean;
    CreateKey(kBase);
    UniqueHandle reserved(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_RESERVE, 0,
                                             kSettingsBlockSize, kSettingsMapName));
    ASSERT_TRUE(reserved);
    Library lib("klsupport.dll");
    ASSERT_TRUE(lib.handle());
    EXPECT_FALSE(lib.Get<BOOL WINAPI()>("LoadDefaultSettings")());
    EXPECT_FALSE(lib.Get<BOOL WINAPI()>("SaveSettingsFromMap")());
}

TEST_F(SettingsTest, LoadingWritesBlockSize) { EXPECT_EQ(b().BlockSize, kSettingsBlockSize); }

TEST_F(SettingsTest, DefaultsResetOptionsAndTablesButKeepOwnedFields) {
    std::memset(&b(), 0x5A, sizeof(SettingsBlock));
    ASSERT_TRUE(loadDefaults_());

    EXPECT_EQ(b().WinKeysTrap, -1);
    EXPECT_EQ(b().SimpleMode, -1);
    EXPECT_EQ(b().BookmarksEnabled, -1);
    EXPECT_EQ(b().ConfirmHotkeys, -1);
    EXPECT_EQ(b().WinDefaultsEnabled, -1);
    for (auto v : {b().WinD, b().WinE, b().WinF, b().WinM, b().WinR, b().WinU, b().WinV}) EXPECT_EQ(v, -1);
    EXPECT_EQ(b().WinKeyEnabled, -1);
    EXPECT_EQ(b().LWinKeyEnabled, -1);
    EXPECT_EQ(b().RWinKeyEnabled, -1);
    for (auto v : {b().DesktopShortcut, b().OnlineHelp, b().Debug, b().LoadDuringStartup, b().CaptureMenuDblClicks,
                   b().MouseKeysEnabled, b().MKCursorKeys, b().MKNumlockON, b().MKBorderKeys, b().MKNumpad,
                   b().MKInc, b().NoSysTray, b().RemapKeys, b().MouseHotkeys, b().Language, b().LastHotkey})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(b().MKSpeed, 4);
    EXPECT_EQ(b().MKSpeedMod, 4);
    EXPECT_EQ(b().MKAcceleration, 4);
    EXPECT_EQ(b().LastGotoDir.length, 0);
    EXPECT_EQ(b().StatusText.length, 0);
    EXPECT_EQ(b().DirPlayDir.length, 0);
    EXPECT_EQ(b().CounterValue, -1);
    EXPECT_EQ(b().MacroRepeat, 1);
    EXPECT_EQ(Text255View(b().MacroName), "default");

    // Cleared state and tables.
    for (auto v : {b().JournalMode, b().LWinDown, b().RWinDown, b().AltDown, b().CtrlDown, b().ShiftDown,
                   b().SysModal, b().WinComboUsed, b().SuppressStartMenu, b().CounterStarted, b().LastStatus,
                   b().CurrentStatus, b().Reserved1568, b().DirPlayPos, b().DirPlayMode, b().MacroPosition,
                   b().MacroLength, b().Reserved26928})
        EXPECT_EQ(v, 0);
    EXPECT_TRUE(AllBytes(b().CollapsedWindows, sizeof b().CollapsedWindows, 0));
    EXPECT_TRUE(AllBytes(b().CollapsedHeights, sizeof b().CollapsedHeights, 0));
    EXPECT_TRUE(AllBytes(b().HotkeyCountPerKey, sizeof b().HotkeyCountPerKey, 0));
    EXPECT_TRUE(AllBytes(b().Hotkeys, sizeof b().Hotkeys, 0));
    EXPECT_TRUE(AllBytes(b().Bookmarks, sizeof b().Bookmarks, 0));
    EXPECT_TRUE(AllBytes(&b().KeyRemap, sizeof b().KeyRemap, 0));
    EXPECT_EQ(b().StopwatchStartTicks + b().StopwatchStopTicks + b().StopwatchPauseTicks, 0u);

    // What the main program and the macro own survives.
    EXPECT_TRUE(AllBytes(&b().KeyloomEnabled, 4, 0x5A));
    EXPECT_TRUE(AllBytes(&b().DataDir, 256, 0x5A));
    EXPECT_TRUE(AllBytes(&b().ProfileName, 256, 0x5A));
    EXPECT_TRUE(AllBytes(b().MacroEvents, sizeof b().MacroEvents, 0x5A));
    EXPECT_TRUE(AllBytes(&b().MacroInterval, 4, 0x5A));
    EXPECT_TRUE(AllBytes(&b().StopwatchStartTime, 24, 0x5A));
    EXPECT_TRUE(AllBytes(&b().MainWindow, 4 * 9, 0x5A));  // window, message, app window, icons, hooks
    EXPECT_TRUE(AllBytes(&b().HotkeysSuspended, 4, 0x5A));
    EXPECT_TRUE(AllBytes(&b().HookModule, 12, 0x5A));  // module handles, HooksInstalled
}

TEST_F(SettingsTest, NoRegistryKeysGiveFalseAndExactlyTheDefaults) {
    b().KeyloomEnabled = -1;
    SetText255(b().DataDir, "C:\\Keyloom\\");
    EXPECT_FALSE(load_());
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(Text255View(b().DataDir), "C:\\Keyloom\\");
    EXPECT_EQ(b().SimpleMode, -1);
    EXPECT_EQ(b().Hotkeys[0].ID, 0);
    EXPECT_EQ(LastError(), "");
}

TEST_F(SettingsTest, TruthAndNumberRules) {
    SetString(kBase, "SimpleMode", "yes");
    SetString(kBase, "Debug", "1");
    SetString(kBase, "WinD", "0");
    SetString(kBase, "WinE", "-1");
    SetString(kBase, "WinF", "");
    SetString(kBase, "MouseKeysEnabled", "01");
    SetString(kBase, "KeyloomEnabled", "1");
    SetString(kBase, "MKSpeed", "17");
    SetString(kBase, "MKSpeedMod", "-3");
    SetString(kBase, "MKAcceleration", "12abc");
    SetString(kBase, "LastHotkey", "99999999999");
    SetString(kBase, "Language", " 2");
    ASSERT_TRUE(load_());
    EXPECT_EQ(b().SimpleMode, 0);
    EXPECT_EQ(b().Debug, -1);
    EXPECT_EQ(b().WinD, 0);
    EXPECT_EQ(b().WinE, 0);
    EXPECT_EQ(b().WinF, 0);
    EXPECT_EQ(b().MouseKeysEnabled, -1);
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(b().MKSpeed, 17);
    EXPECT_EQ(b().MKSpeedMod, -3);
    EXPECT_EQ(b().MKAcceleration, 0);
    EXPECT_EQ(b().LastHotkey, 0);
    EXPECT_EQ(b().Language, 0);
}

TEST_F(SettingsTest, ValuesOfTheWrongTypeOrSizeKeepTheirDefaults) {
    const DWORD one = 1;
    SetValue(kBase, "SimpleMode", REG_DWORD, &one, 4);        // default true stays
    SetValue(kBase, "WinKeysTrap", REG_BINARY, "0", 1);       // default true stays
    SetValue(kBase, "MKSpeed", REG_EXPAND_SZ, "9", 2);         // default 4 stays
    SetValue(kBase, "Debug", REG_SZ, "1", 1);                  // no terminator stored
    SetValue(kBase, "OnlineHelp", REG_SZ, "", 0);              // empty data
    SetValue(kBase, "MKSpeedMod", REG_SZ, "7\0" "99", 5);      // text ends at the zero
    const std::string huge(5000, '1');
    SetString(kBase, "BookmarksEnabled", huge);                // beyond the 4096-byte buffer
    SetString(kBase, "LastGotoDir", std::string(4095, 'd'));   // with its zero, exactly 4096 bytes
    ASSERT_TRUE(load_());
    EXPECT_EQ(b().SimpleMode, -1);
    EXPECT_EQ(b().WinKeysTrap, -1);
    EXPECT_EQ(b().MKSpeed, 4);
    EXPECT_EQ(b().Debug, -1);
    EXPECT_EQ(b().OnlineHelp, 0);
    EXPECT_EQ(b().MKSpeedMod, 7);
    EXPECT_EQ(b().BookmarksEnabled, -1);
    EXPECT_EQ(Text255View(b().LastGotoDir), std::string(255, 'd'));
    EXPECT_EQ(b().LastGotoDir.length, 255);
}

TEST_F(SettingsTest, TextsAreCutAt255AndDataDirIsReadWhenItCanBeReached) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    SetString(kBase, "LastGotoDir", std::string(300, 'x'));
    SetString(kBase, "DataDir", temp);
    ASSERT_TRUE(load_());
    EXPECT_EQ(Text255View(b().LastGotoDir), std::string(255, 'x'));
    EXPECT_EQ(Text255View(b().DataDir), temp);
    // A folder that is not there now leaves the one in use.
    SetString(kBase, "DataDir", "D:\\no\\such\\Keyloom\\");
    ASSERT_TRUE(load_());
    EXPECT_EQ(Text255View(b().DataDir), temp);
}

TEST_F(SettingsTest, HotkeyIndexSkipsEmptyPiecesAndReadsKeyAndModifier) {
    AddHotkeySubkey(kHotkeys, "7", 65, 3);
    AddHotkeySubkey(kHotkeys, "9", 65, 8);
    AddHotkeySubkey(kHotkeys, "4", 13, 2);
    SetString(kHotkeys, "65", "7;;9;");
    SetString(kHotkeys, "13", ";4");
    SetString(kHotkeys, "66", ";;");
    EXPECT_TRUE(load_());  // the base key exists as the parent of the hotkey key
    const HotkeyEntry* h = b().Hotkeys;
    // Rows follow the key codes upward.
    EXPECT_EQ(h[0].ID, 4);
    EXPECT_EQ(h[0].Key, 13);
    EXPECT_EQ(h[0].Modifier, 2);
    EXPECT_EQ(h[1].ID, 7);
    EXPECT_EQ(h[1].Key, 65);
    EXPECT_EQ(h[1].Modifier, 3);
    EXPECT_EQ(h[2].ID, 9);
    EXPECT_EQ(h[2].Modifier, 8);
    EXPECT_EQ(h[3].ID, 0);
    EXPECT_EQ(b().HotkeyCountPerKey[65], 2);
    EXPECT_EQ(b().HotkeyCountPerKey[13], 1);
    EXPECT_EQ(b().HotkeyCountPerKey[66], 0);
    EXPECT_EQ(b().MouseHotkeys, 0);
}

TEST_F(SettingsTest, BadIdsMissingSubkeysAndScanCodeKeys) {
    AddHotkeySubkey(kHotkeys, "5", 300, 1);
    SetString(kHotkeys, "255", "5");
    SetString(kHotkeys, "70", "x12;31");  // 31 has no subkey
    const DWORD n = 70;
    SetValue(kHotkeys, "71", REG_DWORD, &n, 4);  // not a list
    load_();
    // "x12" names no hotkey and makes no row: a row of ID 0 would end the table for
    // the hooks, and every hotkey after it would be lost to them.
    EXPECT_EQ(b().Hotkeys[0].ID, 31);
    EXPECT_EQ(b().Hotkeys[0].Key, 0);
    EXPECT_EQ(b().Hotkeys[0].Modifier, 0);
    EXPECT_EQ(b().Hotkeys[1].ID, 5);
    EXPECT_EQ(b().Hotkeys[1].Key, 300);
    EXPECT_EQ(b().Hotkeys[2].ID, 0);
    EXPECT_EQ(b().HotkeyCountPerKey[70], 1);
    EXPECT_EQ(b().HotkeyCountPerKey[71], 0);
    EXPECT_EQ(b().HotkeyCountPerKey[255], 1);
}

TEST_F(SettingsTest, OnlyValuesNamedAsTheIndexNamesThemAreLists) {
    AddHotkeySubkey(kHotkeys, "3", 65, 2);
    AddHotkeySubkey(kHotkeys, "4", 66, 2);
    for (const char* name : {"065", "+65", "256", "6500", "A", "MaxKeyID"}) SetString(kHotkeys, name, "4;");
    SetString(kHotkeys, "65", "3;");
    SetString(kHotkeys, "66", std::string(5000, '4'));  // longer than a setting is read
    load_();
    EXPECT_EQ(b().Hotkeys[0].ID, 3);
    EXPECT_EQ(b().Hotkeys[1].ID, 0);
    EXPECT_EQ(b().HotkeyCountPerKey[65], 1);
    EXPECT_EQ(b().HotkeyCountPerKey[66], 0);
}

TEST_F(SettingsTest, MouseButtonListsSetMouseHotkeys) {
    for (const char* key : {"1", "2", "4"}) {
        DeleteKeyloomKey();
        SetString(kHotkeys, key, "3");
        load_();
        EXPECT_EQ(b().MouseHotkeys, -1) << key;
    }
    DeleteKeyloomKey();
    SetString(kHotkeys, "3", "3");
    load_();
    EXPECT_EQ(b().MouseHotkeys, 0);
    EXPECT_EQ(b().Hotkeys[0].ID, 3);
}

namespace {

// Lists ids 1..count over key codes 10, 11, ... ten per key.
void ListHotkeys(int count) {
    std::vector<std::string> lists(256);
    for (int id = 1; id <= count; ++id) {
        std::string& list = lists[10 + (id - 1) / 10];
        list += std::to_string(id) + ";";
    }
    for (int k = 0; k < 256; ++k)
        if (!lists[k].empty()) SetString(kHotkeys, std::to_string(k).c_str(), lists[k]);
}

}  // namespace

TEST_F(SettingsTest, TheLastRowOfTheTableRaisesTooManyHotkeysAndTheRemappingStillLoads) {
    const unsigned char remap[12] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    SetValue(kHotkeys, "Scancode Map", REG_BINARY, remap, sizeof remap);

    ListHotkeys(255);
    SetString(kBase, "Debug", "1");
    EXPECT_TRUE(load_());
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(b().Hotkeys[254].ID, 255);
    EXPECT_EQ(b().Hotkeys[255].ID, 0);
    EXPECT_EQ(b().KeyRemap.Count, 1);

    ListHotkeys(300);
    EXPECT_FALSE(load_());
    EXPECT_EQ(LastError(), "too many hotkeys");
    char small[4];
    EXPECT_EQ(error_(small, sizeof small), 16);
    EXPECT_STREQ(small, "too");
    EXPECT_EQ(Text255View(b().StatusText), "too many hotkeys");
    EXPECT_EQ(b().Hotkeys[255].ID, 256);
    EXPECT_EQ(b().HotkeyCountPerKey[35], 6);  // ids 251..256 of the key holding 251..260
    EXPECT_EQ(b().HotkeyCountPerKey[36], 0);  // never reached
    EXPECT_EQ(b().KeyRemap.Count, 1);         // the remapping goes on: read all the same
    EXPECT_EQ(b().Debug, -1);                 // options were read before the hotkeys

    DeleteKeyloomKey();
    ListHotkeys(10);
    EXPECT_TRUE(load_());
    EXPECT_EQ(LastError(), "");  // a later load clears the error
}

TEST_F(SettingsTest, ScancodeMapOfUpTo517BytesIsRead) {
    std::string map(517, '\0');
    map[8] = 3;
    map[12 + 1] = 0x41;
    map[516] = 0x7E;
    SetValue(kHotkeys, "Scancode Map", REG_BINARY, map.data(), 517);
    load_();
    EXPECT_EQ(b().KeyRemap.Count, 3);
    EXPECT_EQ(b().KeyRemap.Entries[0].FromVk, 0x41);
    EXPECT_EQ(b().KeyRemap.Entries[100].ForceModifiers, 0x7E);

    map.push_back('\1');
    SetValue(kHotkeys, "Scancode Map", REG_BINARY, map.data(), 518);
    load_();
    EXPECT_EQ(b().KeyRemap.Count, 0);
    EXPECT_EQ(b().KeyRemap.Entries[100].ForceModifiers, 0);

    // The type is not checked; a short value fills the start of the table.
    SetValue(kHotkeys, "Scancode Map", REG_SZ, "\1\0\0\0\2\0\0\0\5", 9);
    load_();
    EXPECT_EQ(b().KeyRemap.Header1, 1u);
    EXPECT_EQ(b().KeyRemap.Header2, 2u);
    EXPECT_EQ(b().KeyRemap.Count, 5 & 0xFF);

    SetValue(kHotkeys, "Scancode Map", REG_BINARY, "", 0);
    load_();
    EXPECT_EQ(b().KeyRemap.Header1, 0u);
}

TEST_F(SettingsTest, ProfileNameSelectsTheKeys) {
    const std::string profiles = "Software\\Corvane\\Keyloom\\Profiles\\";
    SetString(kBase, "MKSpeed", "1");
    SetString(profiles + "Work\\", "MKSpeed", "2");
    SetString(profiles + "(Default)\\", "MKSpeed", "3");
    SetString(profiles + "C:", "MKSpeed", "4");
    AddHotkeySubkey(profiles + "Work\\Hotkeys\\", "8", 77, 1);
    SetString(profiles + "Work\\Hotkeys\\", "77", "8");
    SetString(profiles + "C:Hotkeys\\", "20", "6");

    struct Case { const char* profile; int speed; } cases[] = {
        {"", 1}, {"(default)", 1}, {"(standard)", 1}, {"Work", 2}, {"Work\\", 2}, {"Work/", 0},
        {"(Default)", 3}, {"C:", 4}, {"Missing", 4 /* the defaults */}};
    for (const Case& c : cases) {
        SetText255(b().ProfileName, c.profile);
        load_();
        const int expected = std::string(c.profile) == "Missing" ? 4 : (c.speed ? c.speed : 4);
        EXPECT_EQ(b().MKSpeed, expected) << c.profile;
        EXPECT_EQ(Text255View(b().ProfileName), c.profile);
    }
    SetText255(b().ProfileName, "Work");
    load_();
    EXPECT_EQ(b().Hotkeys[0].ID, 8);
    EXPECT_EQ(b().Hotkeys[0].Key, 77);
    SetText255(b().ProfileName, "C:");
    load_();
    EXPECT_EQ(b().Hotkeys[0].ID, 6);
}
