// The recently used hotkeys of the tray menu, and the menus they live in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/main_menu.h"
#include "window/recent_hotkeys.h"

using namespace kl;

namespace {
std::vector<int> Ids(const RecentHotkeys& r) {
    std::vector<int> ids;
    for (const auto& e : r.entries()) ids.push_back(e.id);
    return ids;
}
}  // namespace

TEST(RecentHotkeys, KeepsTheFiveNewestOldestFirstAndMovesARepeatToTheEnd) {
    RecentHotkeys r;
    for (int id = 1; id <= 6; ++id) r.Add(id, "hotkey " + std::to_string(id));
    EXPECT_EQ(Ids(r), (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_TRUE(r.Add(3, "again"));
    EXPECT_EQ(Ids(r), (std::vector<int>{2, 4, 5, 6, 3}));
    EXPECT_EQ(r.entries().back().caption, "again");
    EXPECT_FALSE(r.Add(3, "again"));  // the same list: the menu needs no rebuilding
    EXPECT_TRUE(r.Add(3, "renamed"));
    EXPECT_EQ(Ids(r), (std::vector<int>{2, 4, 5, 6, 3}));
    EXPECT_EQ(r.IdAt(1), 4);
    EXPECT_EQ(r.IdAt(5), 0);
}

TEST(RecentHotkeys, CaptionsAreCutTo255Characters) {
    RecentHotkeys r;
    r.Add(9, std::string(300, 'x'));
    EXPECT_EQ(r.entries().front().caption.size(), 255u);
}

// Nothing may rebuild or open a menu that is gone: no handle outlives DestroyMainMenus.
TEST(MainMenus, NoHandleIsLeftAfterTheyAreDestroyed) {
    MainMenus menus = CreateMainMenus();
    ASSERT_NE(menus.mnCustom, nullptr);
    ASSERT_NE(menus.pmSystray, nullptr);
    DestroyMenu(menus.mmMain);  // a window would have taken it along
    DestroyMainMenus(menus);
    EXPECT_EQ(menus.mnCustom, nullptr);
    EXPECT_EQ(menus.pmSystray, nullptr);
    EXPECT_EQ(menus.mmMain, nullptr);
    EXPECT_EQ(menus.accelerators, nullptr);
}
