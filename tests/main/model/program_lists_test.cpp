// The program controls' lists of names: the picker's running programs, names added
// to a field, the hotkey list's cell, and whether two hotkeys on one combination
// conflict once their programs count (the editor's check, against the real registry).
#include <gtest/gtest.h>

#include "model/hotkey_store.h"
#include "model/program_control_texts.h"
#include "model/program_conflicts.h"
#include "model/program_lists.h"
#include "registry_names.h"
#include "testing/registry.h"

using namespace kl;
using namespace kl::testing;

namespace {

HotkeyPrograms Only(const char* list) { return {list, ProgramsMode::OnlyIn}; }
HotkeyPrograms Except(const char* list) { return {list, ProgramsMode::ExceptIn}; }
const HotkeyPrograms kEverywhere{};

}  // namespace

TEST(ProgramLists, RunningProgramsAreFileNamesEachOnceSorted) {
    const std::vector<std::string> paths = {
        "C:\\Windows\\notepad.exe", "C:\\Program Files\\Game\\Game.EXE", "c:\\windows\\NOTEPAD.EXE",
        "D:/tools/b.exe",           "",                                 "C:\\folder\\",
        "C:\\odd\\semi;colon.exe",  "a.exe",                            std::string(300, 'x') + ".exe",
    };
    EXPECT_EQ(DistinctProgramNames(paths), (std::vector<std::string>{"a.exe", "b.exe", "game.exe", "notepad.exe"}));
    EXPECT_TRUE(DistinctProgramNames({}).empty());
}

TEST(ProgramLists, PickedNamesAreAddedOnceAndTheFieldKeepsItsText) {
    EXPECT_EQ(AddProgramNames("", {"a.exe", "b.exe"}), "a.exe;b.exe");
    EXPECT_EQ(AddProgramNames("Notepad.EXE", {"notepad.exe", "calc.exe"}), "Notepad.EXE;calc.exe");
    EXPECT_EQ(AddProgramNames("a.exe; ", {"b.exe"}), "a.exe;b.exe");
    EXPECT_EQ(AddProgramNames("a.exe;;", {"A.exe"}), "a.exe;;");  // nothing new: untouched
    EXPECT_EQ(AddProgramNames("x.exe", {"", "bad;name.exe", "c.exe", "c.exe"}), "x.exe;c.exe");
}

TEST(ProgramLists, TheListsCellNamesTheModeAndThePrograms) {
    const LanguageText none;
    EXPECT_EQ(ProgramsCell(kEverywhere, none), "");
    EXPECT_EQ(ProgramsCell({"a.exe", ProgramsMode::Everywhere}, none), "");
    EXPECT_EQ(ProgramsCell(Only("A.exe; b.exe"), none), "only: a.exe; b.exe");
    EXPECT_EQ(ProgramsCell(Except("c.exe"), none), "except: c.exe");
    EXPECT_EQ(ProgramsCell(Only(""), none), "only:");
    const LanguageText german = [](int n) { return n == program_texts::kOnlyPrefix ? std::string("nur:") : std::string(); };
    EXPECT_EQ(ProgramsCell(Only("a.exe"), german), "nur: a.exe");
}

TEST(ProgramConflicts, OnlyHotkeysOfOneClassWithMeetingProgramsConflict) {
    EXPECT_TRUE(HotkeyProgramsConflict(kEverywhere, kEverywhere));
    EXPECT_TRUE(HotkeyProgramsConflict(Except("a.exe"), Except("b.exe")));
    EXPECT_TRUE(HotkeyProgramsConflict(Only("a.exe;b.exe"), Only("B.EXE")));
    EXPECT_FALSE(HotkeyProgramsConflict(Only("a.exe"), Only("b.exe")));
    EXPECT_FALSE(HotkeyProgramsConflict(Only("a.exe"), kEverywhere));
    EXPECT_FALSE(HotkeyProgramsConflict(Except("a.exe"), kEverywhere));
    EXPECT_FALSE(HotkeyProgramsConflict(Only("a.exe"), Except("a.exe")));
}

TEST(ProgramConflicts, TheStoredHotkeysOnTheCombinationAreAskedWithTheirPrograms) {
    CleanRegistry clean;
    HotkeyStore store(reg::kHotkeysKey, nullptr);
    const int inA = store.StoreHotkey(-1, 'K', 2, 32, "in a", "").id;
    const int elsewhere = store.StoreHotkey(-1, 'L', 2, 32, "other key", "").id;
    ASSERT_GT(inA, 0);
    ASSERT_GT(elsewhere, 0);
    ASSERT_TRUE(WriteHotkeyPrograms(reg::kHotkeysKey, inA, Only("a.exe")));

    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'K', 2, -1, Only("b.exe")), -1);
    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'K', 2, -1, kEverywhere), -1);
    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'K', 2, -1, Only("b.exe;A.exe")), inA);
    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'K', 2, inA, Only("a.exe")), -1);  // its own
    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'K', 4, -1, Only("a.exe")), -1);   // other modifiers

    // A second hotkey for b.exe shares the combination; an everywhere one meets neither.
    const int inB = store.StoreHotkey(-1, 'K', 2, 32, "in b", "").id;
    ASSERT_TRUE(WriteHotkeyPrograms(reg::kHotkeysKey, inB, Only("b.exe")));
    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'K', 2, -1, Only("b.exe")), inB);
    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'K', 2, -1, kEverywhere), -1);
    // An older hotkey without the values acts everywhere.
    EXPECT_EQ(ConflictingHotkeyID(reg::kHotkeysKey, 'L', 2, -1, kEverywhere), elsewhere);
    EXPECT_EQ(ConflictingHotkeyID("", 'L', 2, -1, kEverywhere), -1);
}
