// The program filter: the names and the rule shared by every binary, and the
// writer of keyloom.exe, whose replacements a reader on another thread never
// sees half done.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "system/program_filter_map.h"
#include "model/program_sets.h"
#include "program_filter.h"

using namespace kl;

namespace {

using Names = std::vector<std::string>;

ProgramSetBytes SetOf(const std::string& packed) {
    return {reinterpret_cast<const std::uint8_t*>(packed.data()), static_cast<std::uint32_t>(packed.size())};
}

// The names of a set as a reader of the mapping sees them; a damaged set ends
// with an empty name.
Names Read(ProgramSetBytes set) {
    Names names;
    if (!program_filter_detail::ForEachName(set, [&](const char* n, std::uint32_t length) {
            names.emplace_back(n, length);
            return false;
        }))
        names.emplace_back();
    return names;
}

const ProgramFilterSlot& Active(const ProgramFilterMap& map) {
    ProgramFilterRead read;
    EXPECT_EQ(BeginProgramFilterRead(&map, sizeof map, read), FilterReadStart::Taken);
    return read.slot ? *read.slot : map.Slots[0];
}

TEST(ProgramNames, ListsAreTrimmedFoldedReducedToFileNamesAndKeptInOrderOnce) {
    EXPECT_EQ(ProgramNames(" Notepad.EXE ;c:\\Tools\\VIM.exe;; \"Word.exe\" ;notepad.exe;D:/x/\xC4.EXE;\\;"),
              (Names{"notepad.exe", "vim.exe", "word.exe", "\xE4.exe"}));
    EXPECT_EQ(ProgramNames(std::string(256, 'a') + ";" + std::string(255, 'b')), Names{std::string(255, 'b')});
    EXPECT_TRUE(ProgramNames("").empty());
    EXPECT_EQ(PackProgramSet({"a.exe", "bc"}), std::string("\x05" "a.exe\x02" "bc"));
}

TEST(ProgramNames, CompareWithoutCaseInAsciiAndTheCodePagesUpperHalf) {
    EXPECT_TRUE(ProgramNamesEqual("NOTEPAD.exe", 11, "notepad.EXE", 11));
    EXPECT_TRUE(ProgramNamesEqual("\xC4\xD6\xDC", 3, "\xE4\xF6\xFC", 3));  // ÄÖÜ, äöü
    EXPECT_FALSE(ProgramNamesEqual("\xD7", 1, "\xF7", 1));                // × is no letter
    EXPECT_FALSE(ProgramNamesEqual("a.exe", 5, "a.ex", 4));
    const std::string set = PackProgramSet({"a.exe", "b.exe"});
    EXPECT_TRUE(ProgramSetHolds(SetOf(set), "B.EXE", 5));
    EXPECT_FALSE(ProgramSetHolds(SetOf(set), "c.exe", 5));
    EXPECT_FALSE(ProgramSetHolds(SetOf(set), "", 0));
    // A damaged set names nothing past its damage.
    EXPECT_FALSE(ProgramSetWellFormed(SetOf(std::string("\x05" "a.exe\x09" "b.exe"))));
    EXPECT_TRUE(ProgramSetHolds(SetOf(std::string("\x05" "a.exe\x00" "b", 8)), "a.exe", 5));
    EXPECT_FALSE(ProgramSetHolds(SetOf(std::string("\x05" "a.exe\x00\x05" "b.exe", 13)), "b.exe", 5));
}

TEST(ProgramRule, OnlyInOutranksExceptOutranksEverywhereAndOffMatchesNothing) {
    struct Row {
        std::uint32_t mode;
        Names programs;
    };
    const std::vector<Row> rows{{kProgramsEverywhere, {}},
                                {kProgramsExcept, {"b.exe"}},
                                {kProgramsOnly, {"a.exe"}},
                                {kProgramsOnly, {"a.exe", "c.exe"}}};
    const auto choose = [&](const std::string& program, bool off = false) {
        return ChooseProgramRow(static_cast<int>(rows.size()), off, [&](int i) {
            const std::string set = PackProgramSet(rows[i].programs);
            return ProgramRowRank(rows[i].mode, ProgramSetHolds(SetOf(set), program.data(),
                                                                static_cast<std::uint32_t>(program.size())));
        });
    };
    EXPECT_EQ(choose("a.exe"), 2);  // the first of the two "only in" rows
    EXPECT_EQ(choose("c.exe"), 3);
    EXPECT_EQ(choose("b.exe"), 0);  // the "except" row does not act there
    EXPECT_EQ(choose("d.exe"), 1);
    EXPECT_EQ(choose("a.exe", true), -1);
    EXPECT_EQ(ChooseProgramRow(1, false, [](int) { return ProgramRowRank(kProgramsOnly, false); }), -1);
    EXPECT_EQ(ProgramRowRank(7, false), kRankEverywhere);
}

TEST(ProgramRule, OnlyRowsOfOneClassConflict) {
    EXPECT_TRUE(ProgramRowsConflict(kProgramsEverywhere, kProgramsEverywhere, false));
    EXPECT_TRUE(ProgramRowsConflict(kProgramsExcept, kProgramsExcept, false));
    EXPECT_TRUE(ProgramRowsConflict(kProgramsOnly, kProgramsOnly, true));
    EXPECT_FALSE(ProgramRowsConflict(kProgramsOnly, kProgramsOnly, false));
    EXPECT_FALSE(ProgramRowsConflict(kProgramsEverywhere, kProgramsOnly, true));
    EXPECT_FALSE(ProgramRowsConflict(kProgramsEverywhere, kProgramsExcept, true));
    EXPECT_FALSE(ProgramRowsConflict(kProgramsOnly, kProgramsExcept, true));
    EXPECT_TRUE(ProgramRowsConflict(9, kProgramsEverywhere, false));  // unknown: everywhere
    const std::string a = PackProgramSet({"a.exe", "b.exe"}), b = PackProgramSet({"c.exe", "B.EXE"});
    EXPECT_TRUE(ProgramSetsShare(SetOf(a), SetOf(b)));
    EXPECT_FALSE(ProgramSetsShare(SetOf(a), SetOf(PackProgramSet({"c.exe"}))));
}

class FilterWriter : public ::testing::Test {
protected:
    std::unique_ptr<ProgramFilterMap> owner_ = std::make_unique<ProgramFilterMap>();
    ProgramFilterMap& map_ = *owner_;
};

TEST_F(FilterWriter, RowsAndOffInProgramsReachTheActiveSlotWhole) {
    const ProgramFilterWrite w = FillProgramFilter(
        map_, {{0, 11, kProgramsOnly, "A.exe; b.exe"}, {3, 14, kProgramsExcept, "c.exe"}, {1, 12, 9, "x.exe"}},
        "Game.exe;mstsc.exe");
    EXPECT_TRUE(w.written);
    EXPECT_TRUE(w.rowsRefused.empty() && w.rowsWithoutRoom.empty() && !w.offInProgramsCut);
    EXPECT_EQ(map_.Magic, kProgramFilterMagic);
    EXPECT_EQ(map_.TotalSize, sizeof(ProgramFilterMap));
    const ProgramFilterSlot& slot = Active(map_);
    EXPECT_TRUE(ProgramSlotValid(slot));
    EXPECT_EQ(slot.RowCount, 4u);
    EXPECT_EQ(Read(SlotSet(slot, slot.OffInPrograms)), (Names{"game.exe", "mstsc.exe"}));
    EXPECT_EQ(slot.Rows[0].HotkeyID, 11);
    EXPECT_EQ(Read(SlotSet(slot, slot.Rows[0].Programs)), (Names{"a.exe", "b.exe"}));
    EXPECT_EQ(slot.Rows[1].Mode, kProgramsEverywhere);  // unknown mode
    EXPECT_EQ(slot.Rows[2].HotkeyID, 0);                // not listed: everywhere
    EXPECT_EQ(slot.Rows[3].Mode, kProgramsExcept);
    EXPECT_EQ(FindProgramRow(slot, 3, 14), &slot.Rows[3]);
    EXPECT_EQ(FindProgramRow(slot, 0, 14), &slot.Rows[3]);  // rows moved since: found by ID
    EXPECT_EQ(FindProgramRow(slot, 2, 99), nullptr);

    // The next write goes to the other slot and replaces everything.
    const std::uint32_t before = map_.Active;
    FillProgramFilter(map_, {{0, 20, kProgramsOnly, "z.exe"}}, "");
    EXPECT_NE(map_.Active, before);
    const ProgramFilterSlot& next = Active(map_);
    EXPECT_EQ(next.Sequence % 2, 0u);
    EXPECT_EQ(next.RowCount, 1u);
    EXPECT_EQ(SlotSet(next, next.OffInPrograms).size, 0u);
    EXPECT_EQ(FindProgramRow(next, 3, 14), nullptr);
}

TEST_F(FilterWriter, WhatCannotBeStoredIsReportedAndActsNowhere) {
    const std::string many = [] {
        std::string list;
        for (int i = 0; i < 400; ++i) list += std::string(200, char('a' + i % 26)) + std::to_string(i) + ";";
        return list;
    }();
    const ProgramFilterWrite w = FillProgramFilter(
        map_, {{0, 1, kProgramsExcept, "a.exe"}, {0, 2, 0, ""}, {256, 3, 0, ""}, {-1, 4, 0, ""}, {5, 0, 0, ""},
               {1, 5, kProgramsExcept, many}, {2, 6, kProgramsOnly, "b.exe"}},
        "game.exe");
    EXPECT_EQ(w.rowsRefused, (std::vector<int>{0, 256, -1, 5}));
    EXPECT_EQ(w.rowsWithoutRoom, std::vector<int>{1});
    EXPECT_FALSE(w.offInProgramsCut);
    const ProgramFilterSlot& slot = Active(map_);
    EXPECT_TRUE(ProgramSlotValid(slot));
    EXPECT_EQ(FilterRowRank(slot, &slot.Rows[1], "x.exe", 5), kRankNone);  // nowhere
    EXPECT_EQ(FilterRowRank(slot, &slot.Rows[0], "x.exe", 5), kRankExcept);
    EXPECT_EQ(FilterRowRank(slot, &slot.Rows[2], "B.exe", 5), kRankOnly);

    // OffInPrograms keeps the whole names that fit.
    EXPECT_TRUE(FillProgramFilter(map_, {}, many).offInProgramsCut);
    const ProgramFilterSlot& cut = Active(map_);
    const Names off = Read(SlotSet(cut, cut.OffInPrograms));
    EXPECT_GT(off.size(), 300u);
    EXPECT_EQ(off.back(), ProgramNames(many)[off.size() - 1]);
}

// Every replacement names one generation in every row and in OffInPrograms; a
// read that the writer met must be seen as such, never taken for a whole one.
TEST_F(FilterWriter, AReaderOnAnotherThreadNeverTakesAHalfWrittenSlot) {
    const auto generation = [](int g) {
        std::vector<ProgramFilterEntry> rows;
        for (int i = 0; i < kProgramFilterRows; ++i)
            rows.push_back({i, i + 1, kProgramsOnly, "g" + std::to_string(g) + ".exe;" + std::string(100, 'x')});
        return rows;
    };
    FillProgramFilter(map_, generation(0), "g0.exe");
    std::atomic<bool> done{false};
    std::atomic<int> whole{0}, torn{0};
    std::thread reader([&] {
        while (!done) {
            ProgramFilterRead read;
            if (BeginProgramFilterRead(&map_, sizeof map_, read) != FilterReadStart::Taken) continue;
            Names seen = Read(SlotSet(*read.slot, read.slot->OffInPrograms));
            for (std::uint32_t i = 0; i < read.slot->RowCount && i < 256; ++i) {
                const Names row = Read(SlotSet(*read.slot, read.slot->Rows[i].Programs));
                seen.push_back(row.empty() ? std::string() : row[0]);
            }
            if (!ProgramFilterReadHeld(read)) continue;
            bool same = seen.size() == 257;
            for (const std::string& name : seen) same = same && name == seen[0];
            ++(same ? whole : torn);
        }
    });
    for (int g = 1; g <= 1500; ++g) FillProgramFilter(map_, generation(g), "g" + std::to_string(g) + ".exe");
    while (whole < 10) std::this_thread::yield();
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
}

TEST(FilterMapping, IsCreatedByNameWithAnEmptyFilterThatOtherProcessesOpen) {
    ProgramFilterMapping mapping;
    ASSERT_TRUE(mapping.Create());
    UniqueHandle opened(OpenFileMappingA(FILE_MAP_READ, FALSE, kProgramFilterMapName));
    ASSERT_TRUE(opened);
    MappedView view(MapViewOfFile(opened.get(), FILE_MAP_READ, 0, 0, 0));
    ASSERT_TRUE(view);
    const auto& map = *view.as<const ProgramFilterMap>();
    EXPECT_EQ(map.Magic, kProgramFilterMagic);
    EXPECT_EQ(Active(map).RowCount, 0u);
    EXPECT_TRUE(mapping.Write({{0, 7, kProgramsOnly, "a.exe"}}, "").written);
    EXPECT_EQ(Active(map).Rows[0].HotkeyID, 7);
    EXPECT_FALSE(ProgramFilterMapping().Write({}, "").written);  // nothing to write to
}

TEST(FilterMapping, AnotherProgramsSmallerMappingOfTheNameIsNotUsed) {
    UniqueHandle foreign(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, kProgramFilterMapName));
    ASSERT_TRUE(foreign);
    if (GetLastError() == ERROR_ALREADY_EXISTS) GTEST_SKIP() << "a filter mapping of this session exists";
    ProgramFilterMapping mapping;
    EXPECT_FALSE(mapping.Create());
    EXPECT_FALSE(mapping.IsOpen());
}

}  // namespace
