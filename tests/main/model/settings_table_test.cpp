// The settings table against a small language file of known texts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/language.h"
#include "model/settings_table.h"
#include "testing/temp_dir.h"

namespace kl {
namespace {

class SettingsTableTest : public ::testing::Test {
protected:
    testing::TempDir dir_;
    Language lang_;

    void SetUp() override {
        // Line n reads "text n"; the true and false words are distinct.
        std::string s;
        for (int i = 0; i < 484; ++i) {
            if (i == 7) s += "On\r\n";
            else if (i == 8) s += "Off\r\n";
            else s += "text " + std::to_string(i) + "\r\n";
        }
        dir_.Write("Test.lan", s);
        lang_.SetDataDirectory(dir_.path());
        lang_.SetLanguageFile("Test");
        ASSERT_EQ(lang_.Load(), LanguageStatus::Loaded);
    }
};

TEST_F(SettingsTableTest, ValueNamesAndKindsAtTheEdges) {
    EXPECT_EQ(SettingValueName(1), "LoadDuringStartup");
    EXPECT_EQ(SettingValueName(7), "LastGotoDir");
    EXPECT_EQ(SettingValueName(28), "Language");
    EXPECT_EQ(SettingValueName(37), "RWinKeyEnabled");
    for (int empty : {0, 8, 9, 38, -1, -1000, 1 << 30}) EXPECT_EQ(SettingValueName(empty), "") << empty;

    EXPECT_EQ(SettingKind(7), kSettingText);
    EXPECT_EQ(SettingKind(6), kSettingNumber);
    EXPECT_EQ(SettingKind(15), kSettingNumber);
    EXPECT_EQ(SettingKind(21), kSettingBoolean);
    for (int none : {0, 8, 9, 38, -1}) EXPECT_EQ(SettingKind(none), kSettingNone) << none;

    // Every other position holds exactly one distinct setting.
    std::set<std::string_view> names;
    for (int p = 1; p <= 37; ++p) {
        if (p == 8 || p == 9) continue;
        EXPECT_FALSE(SettingValueName(p).empty()) << p;
        EXPECT_NE(SettingKind(p), kSettingNone) << p;
        names.insert(SettingValueName(p));
    }
    EXPECT_EQ(names.size(), 35u);
}

TEST_F(SettingsTableTest, NamesComeFromTheSettingsSection) {
    EXPECT_EQ(SettingName(lang_, 0), "text 291");
    EXPECT_EQ(SettingName(lang_, 21), "text 312");
    EXPECT_EQ(SettingName(lang_, 37), "text 328");
    EXPECT_EQ(SettingName(lang_, 38), "");
    EXPECT_EQ(SettingName(lang_, -1), "");
}

TEST_F(SettingsTableTest, BooleanTextsUseTheTrueAndFalseWords) {
    for (const char* yes : {"y", "Yes", "1", "T", "true", "Y"})
        EXPECT_EQ(SettingText(lang_, 21, yes), "text 312=On") << yes;
    for (const char* no : {"", "0", "n", "-1", " 1", "False"})
        EXPECT_EQ(SettingText(lang_, 21, no), "text 312=Off") << no;
    EXPECT_EQ(SettingText(lang_, 6, "250"), "text 297=250");
    EXPECT_EQ(SettingText(lang_, 7, "C:\\Music"), "text 298=C:\\Music");
    EXPECT_EQ(SettingText(lang_, 15, "1"), "text 306=1");
}

TEST_F(SettingsTableTest, ImportOrderOffersTheExchangedOptions) {
    const auto order = SettingImportOrder();
    const char* expected[] = {"Language", "LoadDuringStartup", "DesktopShortcut", "OnlineHelp", "WinKeysTrap",
                              "CaptureMenuDblClicks", "BookmarksEnabled", "ConfirmHotkeys", "MKEnabled",
                              "MKNumlockON", "MKBorderKeys", "MKNumpad", "MKCursorKeys", "MKInc", "MKSpeedMod",
                              "MKSpeed", "MKAcceleration", "WinDefaultsEnabled", "WinD", "WinE", "WinF", "WinM",
                              "WinR", "WinKeyEnabled", "SimpleMode", "NoSysTray"};
    ASSERT_EQ(order.size(), std::size(expected));
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(SettingValueName(order[i]), expected[i]) << i;
    for (int p : order) EXPECT_LT(p, 34) << "positions 34 to 37 are not exchanged";
}

}  // namespace
}  // namespace kl
