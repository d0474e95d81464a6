// Saving the options from the block, through klsupport's export.
#include "settings_fixture.h"

using namespace kl;
using namespace kl::testing;

namespace {

const char* const kSavedTruths[] = {
    "KeyloomEnabled", "WinKeysTrap", "SimpleMode", "DesktopShortcut", "OnlineHelp", "Debug",
    "LoadDuringStartup", "CaptureMenuDblClicks", "BookmarksEnabled", "ConfirmHotkeys", "NoSysTray",
    "MouseKeysEnabled", "MKCursorKeys", "MKNumlockON", "MKBorderKeys", "MKNumpad", "MKInc",
    "WinDefaultsEnabled", "WinD", "WinE", "WinF", "WinM", "WinR", "WinU", "WinV", "WinKeyEnabled",
    "LWinKeyEnabled", "RWinKeyEnabled", "RemapKeys"};

void SetAllTruths(SettingsBlock& b, std::int32_t v) {
    for (std::int32_t* f : {&b.KeyloomEnabled, &b.WinKeysTrap, &b.SimpleMode, &b.DesktopShortcut, &b.OnlineHelp,
                            &b.Debug, &b.LoadDuringStartup, &b.CaptureMenuDblClicks, &b.BookmarksEnabled,
                            &b.ConfirmHotkeys, &b.NoSysTray, &b.MouseKeysEnabled, &b.MKCursorKeys,
                            &b.MKNumlockON, &b.MKBorderKeys, &b.MKNumpad, &b.MKInc, &b.WinDefaultsEnabled,
                            &b.WinD, &b.WinE, &b.WinF, &b.WinM, &b.WinR, &b.WinU, &b.WinV, &b.WinKeyEnabled,
                            &b.LWinKeyEnabled, &b.RWinKeyEnabled, &b.RemapKeys})
        *f = v;
}

}  // namespace

TEST_F(SettingsTest, SaveNeedsAnExistingBaseKey) {
    EXPECT_FALSE(save_());
    HKEY probe = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kKeyloomKey, 0, KEY_READ, &probe), ERROR_SUCCESS);
    if (probe) RegCloseKey(probe);
}

TEST_F(SettingsTest, SaveWritesEveryOptionAsText) {
    CreateKey(kBase);
    SetAllTruths(b(), 0);
    b().Language = 2;
    b().MKSpeed = 100;
    b().MKSpeedMod = -7;
    b().MKAcceleration = 0;
    SetText255(b().LastGotoDir, "C:\\Music\\");
    SetText255(b().DataDir, "C:\\Elsewhere\\");
    b().LastHotkey = 42;
    b().KeyRemap.Count = 3;
    ASSERT_TRUE(save_());

    const auto names = ValueNames(kBase);
    EXPECT_EQ(names.size(), 34u);
    for (const char* name : kSavedTruths) {
        EXPECT_EQ(GetText(kBase, name), "0") << name;
    }
    EXPECT_EQ(GetText(kBase, "Language"), "2");
    EXPECT_EQ(GetText(kBase, "MKSpeed"), "100");
    EXPECT_EQ(GetText(kBase, "MKSpeedMod"), "-7");
    EXPECT_EQ(GetText(kBase, "MKAcceleration"), "0");
    EXPECT_EQ(GetText(kBase, "LastGotoDir"), "C:\\Music\\");

    // Never written here.
    EXPECT_FALSE(GetValue(kBase, "DataDir"));
    EXPECT_FALSE(GetValue(kBase, "LastHotkey"));
    EXPECT_TRUE(ValueNames(kHotkeys).empty());
}

TEST_F(SettingsTest, AnyNonzeroTruthIsSavedAsOneAndSurvivesReload) {
    CreateKey(kBase);
    SetAllTruths(b(), 1);  // the hook library's "true"
    b().WinV = 5;
    b().MKSpeed = 31;
    SetText255(b().LastGotoDir, std::string(255, 'q'));
    ASSERT_TRUE(save_());
    for (const char* name : kSavedTruths) EXPECT_EQ(GetText(kBase, name), "1") << name;

    std::memset(&b(), 0, sizeof(SettingsBlock));
    ASSERT_TRUE(load_());
    EXPECT_EQ(b().WinV, -1);
    EXPECT_EQ(b().RemapKeys, -1);
    EXPECT_EQ(b().NoSysTray, -1);
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(b().MKSpeed, 31);
    EXPECT_EQ(Text255View(b().LastGotoDir), std::string(255, 'q'));
}

TEST_F(SettingsTest, SaveGoesToTheActiveProfile) {
    const std::string work = "Software\\Corvane\\Keyloom\\Profiles\\Work\\";
    CreateKey(kBase);
    SetText255(b().ProfileName, "Work");
    b().MKSpeed = 9;
    EXPECT_FALSE(save_());  // the profile's key does not exist yet
    CreateKey(work);
    ASSERT_TRUE(save_());
    EXPECT_EQ(GetText(work, "MKSpeed"), "9");
    EXPECT_FALSE(GetValue(kBase, "MKSpeed"));
}
