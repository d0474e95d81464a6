// The programs of hotkeys through the settings exchange and the report.
#include <gtest/gtest.h>

#include "model/hotkey_programs.h"
#include "model/hotkey_store.h"
#include "model/profile_keys.h"
#include "model/registry_helpers.h"
#include "model/report_lines.h"
#include "model/settings_exchange.h"
#include "text_file.h"
#include "testing/registry.h"
#include "testing/temp_dir.h"

using namespace kl;
using namespace kl::testing;

namespace {

class ExchangePrograms : public ::testing::Test {
protected:
    CleanRegistry clean_;
    TempDir dir_;
    const ProfileKeys from_ = KeysForProfile("");
    const ProfileKeys to_ = KeysForProfile("Other");

    int Store(const ProfileKeys& keys, int key, const std::string& programs, ProgramsMode mode) {
        HotkeyStore store(keys.hotkeys, nullptr);
        const int id = store.StoreHotkey(-1, key, 2, 1, "d" + std::to_string(key), "p").id;
        EXPECT_GT(id, 0);
        EXPECT_TRUE(WriteHotkeyPrograms(keys.hotkeys, id, {programs, mode}));
        return id;
    }
};

}  // namespace

TEST_F(ExchangePrograms, ProgramsTravelThroughTheFileAndHotkeysForOtherProgramsShareACombination) {
    Store(from_, 70, "a.exe;B.exe", ProgramsMode::OnlyIn);
    Store(from_, 70, "c.exe", ProgramsMode::OnlyIn);  // same combination, other programs
    Store(from_, 71, "", ProgramsMode::Everywhere);
    const std::string file = dir_.path() + "programs.ini";
    ASSERT_EQ(WriteExchangeToFile(file, ReadExchangeFromRegistry(from_).items), "");
    std::string text;
    ASSERT_TRUE(ReadWholeFile(file, text));
    EXPECT_NE(text.find("Programs=a.exe;B.exe"), std::string::npos) << text;
    EXPECT_EQ(text.find("ProgramsMode=0"), std::string::npos) << "an everywhere hotkey writes no programs";

    // The target holds an everywhere hotkey on 70 and one only in b.exe on 70.
    Store(to_, 70, "", ProgramsMode::Everywhere);
    Store(to_, 70, "b.exe", ProgramsMode::OnlyIn);
    const ExchangeRead read = ReadExchangeFromFile(file, to_, {});
    ASSERT_EQ(read.items.size(), 3u);
    EXPECT_EQ(read.items[0].kind, kExchangeConflict) << "shares b.exe with the target's hotkey";
    EXPECT_EQ(read.items[1].kind, kExchangeHotkey) << "only in c.exe conflicts with nothing";
    EXPECT_EQ(read.items[1].hotkey.programs, "c.exe");
    EXPECT_EQ(read.items[1].hotkey.programsMode, 1);
    EXPECT_EQ(read.items[2].kind, kExchangeHotkey);
    ASSERT_EQ(WriteExchangeToRegistry(to_, nullptr, read.items), "");
    const std::string list = registry::ReadText(to_.hotkeys, "70", "");
    const int imported = std::stoi(list.substr(list.rfind(';', list.size() - 2) + 1));
    const HotkeyPrograms back = ReadHotkeyPrograms(to_.hotkeys, imported);
    EXPECT_EQ(back.programs, "c.exe");
    EXPECT_EQ(back.mode, ProgramsMode::OnlyIn);
    const int everywhere = HotkeyStore(to_.hotkeys, nullptr).FindHotkeyID(71, 2);
    EXPECT_EQ(ValueNames(to_.hotkeys + "HotKey" + std::to_string(everywhere)).size(), 4u) << "no programs values";
}

TEST_F(ExchangePrograms, AnOlderFileOrAnUnknownModeImportsAsEverywhere) {
    dir_.Write("old.ini",
               "[Hotkeys]\r\n65=1;2;\r\n[Hotkeys\\HotKey1]\r\nModifier=2\r\nKey=65\r\nDescription=old\r\n"
               "Function=1;x\r\n[Hotkeys\\HotKey2]\r\nModifier=4\r\nKey=65\r\nDescription=odd\r\nFunction=1;y\r\n"
               "Programs=a.exe\r\nProgramsMode=7\r\n");
    const ExchangeRead read = ReadExchangeFromFile(dir_.path() + "old.ini", to_, {});
    ASSERT_EQ(read.items.size(), 2u);
    EXPECT_EQ(read.items[0].hotkey.programsMode, 0);
    EXPECT_EQ(read.items[0].hotkey.programs, "");
    EXPECT_EQ(read.items[1].hotkey.programsMode, 0);
    // Two everywhere hotkeys of one file on one combination still conflict.
    ExchangeHotkey a, b;
    a.key = b.key = 65;
    EXPECT_TRUE(ExchangeHotkeysConflict(a, b));
    b.programsMode = 2;
    EXPECT_FALSE(ExchangeHotkeysConflict(a, b));
}

TEST(ReportPrograms, TheLineOfALimitedHotkeyNamesItsPrograms) {
    const ReportNames names{[](int n) { return n == 487 ? std::string("nur in") : std::string(); }, {}, {}, {}};
    EXPECT_EQ(ReportProgramsText(0, "a.exe", names), "");
    EXPECT_EQ(ReportProgramsText(1, " a.exe;b.exe ", names), "[nur in: a.exe;b.exe] ");
    EXPECT_EQ(ReportProgramsText(2, "a.exe", names), "[except in: a.exe] ");  // a missing line
}
