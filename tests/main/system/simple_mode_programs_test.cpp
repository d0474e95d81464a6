// Simple mode's choice among the rows of one combination by the program in front,
// over a filter written by keyloom.exe's writer, and the input that replays a
// combination no row takes.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "system/hotkey_conflicts.h"
#include "system/hotkey_pass_through.h"
#include "system/program_filter_sync.h"

using namespace kl;

namespace {

using Kind = SimpleModeChoice::Kind;

struct Fixture {
    std::unique_ptr<SettingsBlock> block = std::make_unique<SettingsBlock>();
    std::unique_ptr<ProgramFilterMap> filter = std::make_unique<ProgramFilterMap>();
    Fixture() {
        std::memset(block.get(), 0, sizeof *block);
        std::memset(filter.get(), 0, sizeof *filter);
    }
    void Row(int index, int id, int key, int modifier) { block->Hotkeys[index] = {id, key, modifier, 0}; }
    SimpleModeChoice Choose(const std::string& program, int key = 'K', int modifier = 6) {
        return ChooseForProgram(*block, filter.get(), key, modifier, program);
    }
};

}  // namespace

TEST(SimpleModeChoice, TheProgramInFrontChoosesAmongTheRowsOfOneCombination) {
    Fixture f;
    f.Row(0, 5, 'K', 6);
    f.Row(1, 9, 'K', 6);
    f.Row(2, 11, 'L', 6);
    // Without a filter (or an empty one): as always, the table's own lookup.
    EXPECT_EQ(ChooseForProgram(*f.block, nullptr, 'K', 6, "a.exe").kind, Kind::Unchanged);
    FillProgramFilter(*f.filter, {}, "");
    EXPECT_EQ(f.Choose("a.exe").kind, Kind::Unchanged);

    FillProgramFilter(*f.filter, {{0, 5, kProgramsOnly, "A.exe;c.exe"}, {1, 9, kProgramsExcept, "b.exe"}}, "");
    SimpleModeChoice c = f.Choose("a.exe");
    EXPECT_EQ(c.kind, Kind::Run);
    EXPECT_EQ(c.id, 5);  // "only in" outranks "except"
    c = f.Choose("d.exe");
    EXPECT_EQ(c.kind, Kind::Run);
    EXPECT_EQ(c.id, 9);
    EXPECT_EQ(f.Choose("b.exe").kind, Kind::PassThrough);  // neither acts in b.exe
    EXPECT_EQ(f.Choose("").kind, Kind::Run);  // an unknown program: the except row
    EXPECT_EQ(f.Choose("b.exe", 'L').kind, Kind::Unchanged);  // a row for everywhere

    // A combination the table lacks keeps its lookup, unless Keyloom is off there.
    EXPECT_EQ(f.Choose("a.exe", 'Z').kind, Kind::Unchanged);
    FillProgramFilter(*f.filter, {{0, 5, kProgramsOnly, "a.exe"}}, "game.exe");
    EXPECT_EQ(f.Choose("GAME.EXE", 'Z').kind, Kind::PassThrough);
    EXPECT_EQ(f.Choose("game.exe", 'L').kind, Kind::PassThrough);
    EXPECT_EQ(f.Choose("a.exe").id, 5);

    // Rows that moved since the filter was written are found by their ID.
    f.Row(0, 9, 'K', 6);
    f.Row(1, 5, 'K', 6);
    EXPECT_EQ(f.Choose("a.exe").id, 5);

    // A damaged filter: every row everywhere, as before the filter existed.
    f.filter->Slots[f.filter->Active].RowCount = 100000;
    EXPECT_EQ(f.Choose("game.exe").kind, Kind::Unchanged);
    f.filter->Magic = 0;
    EXPECT_EQ(f.Choose("game.exe").kind, Kind::Unchanged);
}

TEST(PassThrough, ModifiersStillHeldAreLeftAloneAndReleasedOnesAreReplayedAroundTheKey) {
    const auto shape = [](const std::vector<INPUT>& in) {
        std::string s;
        for (const INPUT& i : in)
            s += std::to_string(i.ki.wVk) + ((i.ki.dwFlags & KEYEVENTF_KEYUP) ? "u " : "d ");
        return s;
    };
    EXPECT_EQ(shape(PassThroughInput(MOD_CONTROL | MOD_SHIFT, MOD_CONTROL | MOD_SHIFT, 'K')), "75d 75u ");
    EXPECT_EQ(shape(PassThroughInput(MOD_CONTROL | MOD_SHIFT, 0, 'K')), "17d 16d 75d 75u 16u 17u ");
    EXPECT_EQ(shape(PassThroughInput(MOD_CONTROL | MOD_ALT, MOD_ALT, 'K')), "17d 75d 75u 17u ");
    const std::vector<INPUT> arrow = PassThroughInput(MOD_WIN, 0, VK_RIGHT);
    EXPECT_EQ(shape(arrow), "91d 39d 39u 91u ");
    EXPECT_TRUE(arrow[1].ki.dwFlags & KEYEVENTF_EXTENDEDKEY);
}

TEST(CombinationTaken, OnlyAnotherHoldersRegistrationCountsAndTheProbeLeavesNothingBehind) {
    const HWND holder = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const HWND editor = CreateWindowExA(0, "STATIC", "editor", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(holder && editor);
    ASSERT_TRUE(RegisterHotKey(holder, 7, MOD_CONTROL | MOD_SHIFT, 'J'));
    EXPECT_TRUE(CombinationTakenByOtherProgram(editor, MOD_CONTROL | MOD_SHIFT, 'J'));
    EXPECT_FALSE(CombinationTakenByOtherProgram(editor, MOD_CONTROL | MOD_SHIFT, 'L'));
    EXPECT_FALSE(CombinationTakenByOtherProgram(editor, MOD_CONTROL, 0));  // no key: nothing to ask
    // The probe of the free combination was released again.
    EXPECT_TRUE(RegisterHotKey(holder, 8, MOD_CONTROL | MOD_SHIFT, 'L'));
    UnregisterHotKey(holder, 7);
    UnregisterHotKey(holder, 8);
    EXPECT_EQ(CombinationText(MOD_CONTROL | MOD_ALT, 'K'), "Ctrl+Alt+K");
    DestroyWindow(holder);
    DestroyWindow(editor);
}
