// The hook procedures with the program filter: rows for chosen programs, several
// rows on one combination, programs in which Keyloom is off, and a filter that is
// missing or damaged, which leaves every row everywhere and no program off.
#include <cstring>
#include <functional>
#include <memory>

#include "system/program_filter_map.h"
#include "getmsg_decision.h"
#include "hook_block.h"
#include "kbd_decision.h"

using namespace kl;
using namespace kl::testing;

namespace {

class ProgramHook : public HookBlockTest {
protected:
    std::unique_ptr<ProgramFilterMap> filter_ = std::make_unique<ProgramFilterMap>();

    ProgramHook() {
        World().programs.filter = filter_.get();
        World().programs.filterSize = sizeof(ProgramFilterMap);
    }

    // The rows of the block so far, in order, each with its mode and programs.
    void Filter(const std::vector<std::pair<std::uint32_t, std::string>>& rows, const std::string& off = "") {
        std::vector<ProgramFilterEntry> entries;
        for (std::size_t i = 0; i < rows.size(); ++i)
            entries.push_back({static_cast<int>(i), b.Hotkeys[i].ID, rows[i].first, rows[i].second});
        FillProgramFilter(*filter_, entries, off);
    }
    // The hook as it runs in another process: its own name, nothing read yet.
    void In(const char* program) {
        hook::ProgramContext& c = World().programs;
        c.nameLength = FoldedProgramFileName(program, static_cast<std::uint32_t>(std::strlen(program)), c.name);
        c.verdict = 0;
    }
    static MSG Message(UINT message, WPARAM wParam = 0) {
        MSG m{};
        m.message = message;
        m.wParam = wParam;
        return m;
    }
    // A keystroke: whether press and release were discarded, and what was posted.
    std::pair<bool, bool> Stroke(int vk) {
        const bool press = hook::DecideKeyboard(b, FakePlatform(), static_cast<WPARAM>(vk), 1);
        const bool release =
            hook::DecideKeyboard(b, FakePlatform(), static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
        return {press, release};
    }
    std::vector<Posted> TakePosts() { return std::exchange(World().posts, {}); }
    // The ID the keystroke fires in the program, 0 when the key passes untouched.
    WPARAM Fires(const char* program, int vk = 'K') {
        In(program);
        const auto [press, release] = Stroke(vk);
        const std::vector<Posted> posts = TakePosts();
        EXPECT_EQ(press, release) << program;
        EXPECT_EQ(release, !posts.empty()) << program;
        return posts.empty() ? 0 : posts.front().wParam;
    }
    // The IDs a middle click posts in the program; swallowed tells whether it was.
    std::vector<WPARAM> Clicks(const char* program, bool& swallowed) {
        In(program);
        MSG down = Message(WM_MBUTTONDOWN), up = Message(WM_MBUTTONUP);
        hook::DecideGetMessage(b, FakePlatform(), down);
        hook::DecideGetMessage(b, FakePlatform(), up);
        swallowed = down.message == 0 && up.message == 0;
        std::vector<WPARAM> ids;
        for (const Posted& p : TakePosts()) ids.push_back(p.wParam);
        return ids;
    }
};

TEST_F(ProgramHook, OnlyInAndExceptRowsActWhereTheirModeSaysAndLeaveTheKeyElsewhere) {
    AddHotkey(7, 'K', 0);
    AddHotkey(8, 'J', 0);
    Filter({{kProgramsOnly, "a.exe;c.exe"}, {kProgramsExcept, "A.EXE"}});
    EXPECT_EQ(Fires("C:\\Apps\\A.exe"), 7u);
    EXPECT_EQ(Fires("c.exe"), 7u);
    EXPECT_EQ(Fires("b.exe"), 0u);
    EXPECT_EQ(Fires(""), 0u);  // a process whose name is unknown is in no set
    EXPECT_EQ(Fires("a.exe", 'J'), 0u);
    EXPECT_EQ(Fires("b.exe", 'J'), 8u);
    EXPECT_EQ(Fires("", 'J'), 8u);
}

TEST_F(ProgramHook, SeveralRowsOnOneCombinationFireTheOneTheRulePicks) {
    AddHotkey(1, 'K', kModCtrl);
    AddHotkey(2, 'K', kModCtrl);
    AddHotkey(3, 'K', kModCtrl);
    AddHotkey(4, 'K', 0);  // another combination on the same key
    Filter({{kProgramsEverywhere, ""}, {kProgramsOnly, "a.exe"}, {kProgramsExcept, "b.exe"}, {kProgramsOnly, "z.exe"}});
    b.CtrlDown = 1;
    World().async[VK_CONTROL] = static_cast<SHORT>(0x8000);
    EXPECT_EQ(Fires("a.exe"), 2u);
    EXPECT_EQ(Fires("b.exe"), 1u);
    EXPECT_EQ(Fires("c.exe"), 3u);

    // The same rows on the middle button.
    for (int i = 0; i < 3; ++i) b.Hotkeys[i].Key = 4;
    b.HotkeyCountPerKey[4] = 3;
    b.MouseHotkeys = kTrue;
    bool swallowed = false;
    EXPECT_EQ(Clicks("a.exe", swallowed), std::vector<WPARAM>{2});
    EXPECT_TRUE(swallowed);
    EXPECT_EQ(Clicks("b.exe", swallowed), std::vector<WPARAM>{1});
    // Without program sets every row of the combination is posted, as always.
    World().programs.filter = nullptr;
    EXPECT_EQ(Clicks("b.exe", swallowed), (std::vector<WPARAM>{1, 2, 3}));
}

TEST_F(ProgramHook, RowsThatMovedInTheTableAreFoundByTheirId) {
    AddHotkey(5, 'K', 0);
    AddHotkey(6, 'J', 0);
    FillProgramFilter(*filter_, {{3, 6, kProgramsOnly, "a.exe"}, {4, 5, kProgramsOnly, "b.exe"}}, "");
    EXPECT_EQ(Fires("b.exe", 'K'), 5u);
    EXPECT_EQ(Fires("a.exe", 'K'), 0u);
    EXPECT_EQ(Fires("a.exe", 'J'), 6u);
    FillProgramFilter(*filter_, {{0, 99, kProgramsOnly, "z.exe"}}, "");  // no row for 5: everywhere
    EXPECT_EQ(Fires("a.exe", 'K'), 5u);
}

TEST_F(ProgramHook, InAProgramWhereKeyloomIsOffEveryKeyAndButtonPassesUntouched) {
    AddHotkey(7, 'K', 0);
    AddHotkey(9, 4, 0);
    b.MouseHotkeys = kTrue;
    b.LWinKeyEnabled = 0;
    b.RemapKeys = kTrue;
    b.KeyRemap.Count = 1;
    b.KeyRemap.Entries[0] = KeyRemapEntry{0x1E, 'A', 0x30, 'B', 0};
    Filter({{kProgramsEverywhere, ""}, {kProgramsEverywhere, ""}}, "Game.exe;mstsc.exe");

    for (const char* program : {"game.exe", "other.exe"}) {
        const bool off = std::strcmp(program, "game.exe") == 0;
        EXPECT_EQ(Fires(program), off ? 0u : 7u);
        bool swallowed = false;
        EXPECT_EQ(Clicks(program, swallowed).empty(), off);
        EXPECT_EQ(swallowed, !off);
        MSG key = Message(WM_KEYDOWN, 'A');
        hook::DecideGetMessage(b, FakePlatform(), key);
        EXPECT_EQ(key.wParam, off ? 'A' : 'B') << program;
        MSG win = Message(WM_KEYDOWN, VK_LWIN);
        hook::DecideGetMessage(b, FakePlatform(), win);
        EXPECT_EQ(win.message, off ? WM_KEYDOWN : 0u) << program;
        World().async[VK_LWIN] = static_cast<SHORT>(0x8000);
        EXPECT_EQ(hook::DecideKeyboard(b, FakePlatform(), VK_LWIN, 1), !off) << program;
        World().async[VK_LWIN] = 0;
    }
    // The modifier flags are still kept there, for the programs that come next.
    In("game.exe");
    World().async[VK_SHIFT] = static_cast<SHORT>(0x8000);
    EXPECT_FALSE(hook::DecideKeyboard(b, FakePlatform(), VK_SHIFT, 1));
    EXPECT_EQ(b.ShiftDown, 1);
    World().async[VK_SHIFT] = 0;
    EXPECT_FALSE(hook::DecideKeyboard(b, FakePlatform(), VK_SHIFT, static_cast<LPARAM>(0xC0000001u)));

    // A new filter is read at once.
    Filter({{kProgramsEverywhere, ""}}, "");
    EXPECT_EQ(Fires("game.exe"), 7u);
}

// Intact, the filter keeps the hotkey out of a.exe twice over: its row is only
// for b.exe and Keyloom is off in a.exe. Damaged, the row acts everywhere and no
// program is off, so the key fires in a.exe.
struct Damage {
    const char* name;
    std::function<void(ProgramFilterMap&, ProgramFilterSlot&, std::size_t&)> apply;
};

class DamagedFilter : public ProgramHook, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedFilter, MeansEverywhereForEveryRowAndNoProgramOff) {
    AddHotkey(7, 'K', 0);
    Filter({{kProgramsOnly, "b.exe"}}, "a.exe");
    EXPECT_EQ(Fires("a.exe"), 0u);
    // Published so by a writer: the slot's sequence moves on.
    ProgramFilterSlot& slot = filter_->Slots[filter_->Active];
    GetParam().apply(*filter_, slot, World().programs.filterSize);
    slot.Sequence += 2;
    EXPECT_EQ(Fires("a.exe"), 7u);
    EXPECT_EQ(Fires("b.exe"), 7u);
}

void Set(std::uint8_t* at, std::uint8_t value) { *at = value; }

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedFilter,
    ::testing::Values(
        Damage{"Magic", [](auto& m, auto&, auto&) { m.Magic ^= 1; }},
        Damage{"Version", [](auto& m, auto&, auto&) { m.Version = kProgramFilterVersion + 1; }},
        Damage{"TotalSize", [](auto& m, auto&, auto&) { m.TotalSize -= 4; }},
        Damage{"ViewSmallerThanTheLayout", [](auto&, auto&, auto& size) { size = sizeof(ProgramFilterMap) - 1; }},
        Damage{"ActiveSlot", [](auto& m, auto&, auto&) { m.Active = 2; }},
        Damage{"WriteThatNeverEnds", [](auto&, auto& s, auto&) { s.Sequence |= 1; }},
        Damage{"RowCount", [](auto&, auto& s, auto&) { s.RowCount = kProgramFilterRows + 1; }},
        Damage{"Mode", [](auto&, auto& s, auto&) { s.Rows[0].Mode = 3; }},
        Damage{"OffsetPastThePool", [](auto&, auto& s, auto&) { s.Rows[0].Programs.Offset = kProgramPoolBytes + 1; }},
        Damage{"BytesPastThePool",
               [](auto&, auto& s, auto&) { s.Rows[0].Programs.Bytes = kProgramPoolBytes - s.Rows[0].Programs.Offset + 1; }},
        Damage{"OffsetAndBytesWrapAround", [](auto&, auto& s, auto&) { s.Rows[0].Programs = {0xFFFFFFF0u, 0x20}; }},
        Damage{"NameOfLengthZero", [](auto&, auto& s, auto&) { Set(s.Pool + s.Rows[0].Programs.Offset, 0); }},
        Damage{"NamePastItsSet", [](auto&, auto& s, auto&) { Set(s.Pool + s.Rows[0].Programs.Offset, 6); }},
        Damage{"OffInProgramsPastThePool", [](auto&, auto& s, auto&) { s.OffInPrograms.Bytes = 0xFFFFFFFFu; }}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(ProgramHook, WithoutAFilterEveryRowActsEverywhere) {
    AddHotkey(7, 'K', 0);
    Filter({{kProgramsOnly, "b.exe"}}, "a.exe");
    World().programs.filter = nullptr;
    EXPECT_EQ(Fires("a.exe"), 7u);
}

}  // namespace
