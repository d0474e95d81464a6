// The play modes' orders on list lines, linked directly with the list module.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "functions/dir_player_list.h"

using kl::support::dirplay::OrderList;

namespace {

std::vector<std::string> Ordered(std::vector<std::string> lines, int mode) {
    OrderList(lines, mode);
    return lines;
}

}  // namespace

TEST(DirPlayOrder, ByNumberPadsTheLeadingNumberAndKeepsTheWholeLine) {
    const std::vector<std::string> lines = {"100\xFFthird", "3\xFF" "first", "12\xFFsecond", "x\xFFnot a number"};
    EXPECT_EQ(Ordered(lines, 3),
              (std::vector<std::string>{"x\xFFnot a number", "3\xFF" "first", "12\xFFsecond", "100\xFFthird"}));
}

TEST(DirPlayOrder, NewestFirstPutsMissingFilesLast) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::vector<std::string> lines = {"C:\\kl_missing_1.mp3", std::string(self) + "\xFFmine",
                                            "C:\\kl_missing_2.mp3"};
    const auto ordered = Ordered(lines, 2);
    ASSERT_EQ(ordered.size(), 3u);
    EXPECT_EQ(ordered[0], lines[1]);
}
