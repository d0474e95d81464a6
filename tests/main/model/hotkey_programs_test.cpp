// The programs of a hotkey and OffInPrograms, against the real registry.
#include <gtest/gtest.h>

#include "model/hotkey_programs.h"
#include "registry_names.h"
#include "testing/registry.h"

using namespace kl;
using namespace kl::testing;

namespace {
constexpr char kMain[] = "Software\\Corvane\\Keyloom\\";
constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";
const std::string kHotkey7 = std::string(kHotkeys) + "HotKey7";
}  // namespace

TEST(HotkeyPrograms, OlderAndDamagedValuesReadAsEverywhere) {
    CleanRegistry clean;
    HotkeyPrograms none = ReadHotkeyPrograms(kHotkeys, 7);  // no key at all
    EXPECT_EQ(none.mode, ProgramsMode::Everywhere);
    EXPECT_EQ(none.programs, "");

    SetString(kHotkey7, "Key", "65");  // a hotkey of older settings
    EXPECT_EQ(ReadHotkeyPrograms(kHotkeys, 7).mode, ProgramsMode::Everywhere);

    for (const char* mode : {"3", "-1", "", "1x", "01"}) {
        SetString(kHotkey7, reg::kHotkeyProgramsMode, mode);
        EXPECT_EQ(ReadHotkeyPrograms(kHotkeys, 7).mode, ProgramsMode::Everywhere) << mode;
    }
    const DWORD one = 1;
    SetValue(kHotkey7, reg::kHotkeyProgramsMode, REG_DWORD, &one, sizeof one);
    SetValue(kHotkey7, reg::kHotkeyPrograms, REG_BINARY, "a.exe", 5);
    HotkeyPrograms wrongType = ReadHotkeyPrograms(kHotkeys, 7);
    EXPECT_EQ(wrongType.mode, ProgramsMode::Everywhere);
    EXPECT_EQ(wrongType.programs, "");

    SetValue(kMain, reg::kOffInPrograms, REG_DWORD, &one, sizeof one);
    EXPECT_EQ(ReadOffInPrograms(kMain), "");
    SetValue(kMain, reg::kOffInPrograms, REG_EXPAND_SZ, "game.exe", 9);
    EXPECT_EQ(ReadOffInPrograms(kMain), "");
}

TEST(HotkeyPrograms, WritesReadBackAndEverywhereLeavesNoTrace) {
    CleanRegistry clean;
    SetString(kHotkey7, "Key", "65");
    const std::string longList = std::string(300, 'a') + ".exe;b.exe";
    ASSERT_TRUE(WriteHotkeyPrograms(kHotkeys, 7, {"a.exe;B.EXE", ProgramsMode::OnlyIn}));
    EXPECT_EQ(GetText(kHotkey7, reg::kHotkeyProgramsMode), "1");
    HotkeyPrograms back = ReadHotkeyPrograms(kHotkeys, 7);
    EXPECT_EQ(back.programs, "a.exe;B.EXE");  // as typed
    EXPECT_EQ(back.mode, ProgramsMode::OnlyIn);

    ASSERT_TRUE(WriteHotkeyPrograms(kHotkeys, 7, {longList, ProgramsMode::ExceptIn}));
    back = ReadHotkeyPrograms(kHotkeys, 7);
    EXPECT_EQ(back.programs, longList);  // not cut at 255 characters
    EXPECT_EQ(back.mode, ProgramsMode::ExceptIn);

    // Everywhere with names keeps the names (the user may switch back).
    ASSERT_TRUE(WriteHotkeyPrograms(kHotkeys, 7, {"c.exe", ProgramsMode::Everywhere}));
    EXPECT_EQ(GetText(kHotkey7, reg::kHotkeyProgramsMode), "0");
    EXPECT_EQ(ReadHotkeyPrograms(kHotkeys, 7).programs, "c.exe");

    ASSERT_TRUE(WriteHotkeyPrograms(kHotkeys, 7, {}));
    EXPECT_EQ(ValueNames(kHotkey7), std::vector<std::string>{"Key"});
    EXPECT_TRUE(WriteHotkeyPrograms(kHotkeys, 7, {}));  // nothing left to delete

    ASSERT_TRUE(WriteOffInPrograms(kMain, "game.exe; mstsc.exe"));
    EXPECT_EQ(ReadOffInPrograms(kMain), "game.exe; mstsc.exe");
    ASSERT_TRUE(WriteOffInPrograms(kMain, ""));
    EXPECT_FALSE(GetValue(kMain, reg::kOffInPrograms).has_value());
}
