// The hotkey list's lines and rows, the tray menu's Functions list and the stopwatch.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/catalogue.h"
#include "model/function_menu.h"
#include "model/hotkey_list.h"
#include "model/stopwatch.h"
#include "model/text_fields.h"
#include "testing/registry.h"
#include "testing/support_library.h"

using namespace kl;

TEST(HotkeyLines, ADescriptionWithSemicolonsAndBackslashesShiftsNoField) {
    const HotkeyLine line{12, R"(a;b\;c\)", 3, 300, 160, std::string("x;y\xFFz")};
    const std::string joined = JoinHotkeyLine(line);
    EXPECT_EQ(Field(joined, 1), "12");
    const HotkeyLine back = SplitHotkeyLine(joined);
    EXPECT_EQ(back.id, 12);
    EXPECT_EQ(back.description, line.description);
    EXPECT_EQ(back.modifier, 3);
    EXPECT_EQ(back.key, 300);
    EXPECT_EQ(back.functionId, 160);
    EXPECT_EQ(back.parameter, line.parameter);
    EXPECT_EQ(FirstParameter(back.parameter), "x;y");
    // Lines of plain descriptions read as before.
    const HotkeyLine plain = SplitHotkeyLine("7;;0;0;0;");
    EXPECT_EQ(plain.id, 7);
    EXPECT_EQ(plain.description, "");
    EXPECT_EQ(plain.parameter, "");
    const HotkeyLine broken = SplitHotkeyLine("x;only");
    EXPECT_EQ(broken.id, 0);
    EXPECT_EQ(broken.description, "only");
    EXPECT_EQ(broken.functionId, 0);
}

TEST(HotkeyLines, RowsSortByteByByteAndKeepEqualRowsInOrder) {
    auto row = [](int id, const char* text) {
        HotkeyRow r;
        r.id = id;
        r.cells[1] = text;
        return r;
    };
    std::vector<HotkeyRow> rows = {row(3, "b"), row(1, "B"), row(2, "a"), row(4, "B"), row(5, "\xE4")};
    SortHotkeyRows(rows, 1);
    std::vector<int> ids;
    for (const auto& r : rows) ids.push_back(r.id);
    EXPECT_EQ(ids, (std::vector<int>{1, 4, 2, 3, 5}));  // "B" < "a" < "b" < 0xE4
    SortHotkeyRows(rows, 1);
    ids.clear();
    for (const auto& r : rows) ids.push_back(r.id);
    EXPECT_EQ(ids, (std::vector<int>{1, 4, 2, 3, 5})) << "sorting twice changes nothing";
    SortHotkeyRows(rows, 0);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.id < b.id; }));
}

TEST(TrayFunctions, CategoriesFollowTheirNamesAndLeaveOutWindowAndMouseFunctions) {
    kl::testing::CleanRegistry clean;
    Catalogue catalogue(kl::testing::BinDir(), [](int n) {
        // Category names in the reverse order of their numbers.
        if (n >= kCategoryTextFirst && n <= kCategoryTextLast)
            return std::string(1, static_cast<char>('z' - (n - kCategoryTextFirst)));
        return "f" + std::to_string(n);
    });
    const auto menu = BuildFunctionMenu(catalogue, [](int n) { return "t" + std::to_string(n); });
    std::vector<int> order;
    for (const auto& c : menu) order.push_back(c.category);
    EXPECT_EQ(order, (std::vector<int>{16, 15, 14, 13, 12, 11, 8, 7, 6, 4, 2, 1, 0}));
    for (const auto& c : menu) {
        for (const auto& item : c.items) {
            EXPECT_FALSE(item.functionId >= 32 && item.functionId <= 38) << item.functionId;  // windows
            EXPECT_FALSE(item.functionId >= 64 && item.functionId <= 78) << item.functionId;  // mouse
        }
        if (c.category != 2) continue;
        std::vector<int> ids;
        for (const auto& item : c.items) ids.push_back(item.functionId);
        EXPECT_EQ(ids, (std::vector<int>{16, 17, 18, 19, 20, 21, 22, 23}));
        EXPECT_EQ(c.items[0].caption, "t344");  // Run program: name number 4
    }
    // All functions, by the text of their IDs: 1, 100, 101, 113, ...
    const auto& all = menu.back().items;
    ASSERT_GT(all.size(), 3u);
    EXPECT_EQ(all[0].functionId, 1);
    EXPECT_EQ(all[1].functionId, 100);
    EXPECT_EQ(all[3].functionId, 113);
}

TEST(Stopwatch, PausesDoNotCountAndTheMenuFollowsTheState) {
    SettingsBlock b{};
    EXPECT_EQ(StateOf(&b), StopwatchState::NotStarted);
    EXPECT_EQ(StateOf(nullptr), StopwatchState::NotStarted);
    const double second = 1.0 / 86400.0;
    TimerStart(b, 10000, 100.0);
    EXPECT_EQ(StateOf(&b), StopwatchState::Running);
    TimerPause(b, 12000, 100.0 + 2 * second);
    EXPECT_EQ(StateOf(&b), StopwatchState::Paused);
    TimerResume(b, 22000, 100.0 + 12 * second);
    EXPECT_EQ(StateOf(&b), StopwatchState::Running);
    TimerStop(b, 25000, 100.0 + 15 * second);
    EXPECT_EQ(StateOf(&b), StopwatchState::Stopped);
    EXPECT_EQ(b.StopwatchStopTicks - b.StopwatchStartTicks, 5000u);
    EXPECT_NEAR((b.StopwatchStopTime - b.StopwatchStartTime) / second, 5.0, 1e-3);
    TimerResume(b, 30000, 101.0);  // not paused: nothing changes
    EXPECT_EQ(b.StopwatchStopTicks - b.StopwatchStartTicks, 5000u);
    TimerClear(b);
    EXPECT_EQ(StateOf(&b), StopwatchState::NotStarted);

    const auto items = [](StopwatchState s) {
        const StopwatchItems i = VisibleStopwatchItems(s);
        return std::vector<bool>{i.start, i.stop, i.pause, i.resume};
    };
    EXPECT_EQ(items(StopwatchState::NotStarted), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(items(StopwatchState::Running), (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(items(StopwatchState::Paused), (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(items(StopwatchState::Stopped), (std::vector<bool>{true, false, false, false}));
}
