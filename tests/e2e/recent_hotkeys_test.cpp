// The recently used hotkeys on a real pop-up menu, and what running a function
// from the Functions list asks for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/function_prompts.h"
#include "core/recent_hotkeys.h"

using namespace kl;

namespace {

constexpr UINT kFirst = 2200;

class RecentHotkeysTest : public ::testing::Test {
protected:
    ~RecentHotkeysTest() override { DestroyMenu(menu_); }

    std::string CaptionAt(int position) const {
        char text[300] = {};
        GetMenuStringA(menu_, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        return text;
    }
    UINT CommandAt(int position) const { return GetMenuItemID(menu_, position); }

    HMENU menu_ = CreatePopupMenu();
    RecentHotkeys list_{menu_, kFirst};
};

}  // namespace

TEST_F(RecentHotkeysTest, KeepsTheFiveNewestAndMovesARepeatedHotkeyToTheEnd) {
    for (int id = 1; id <= 6; ++id) list_.Add(id, "hotkey " + std::to_string(id));
    EXPECT_EQ(list_.Ids(), (std::vector<std::int32_t>{2, 3, 4, 5, 6}));
    EXPECT_EQ(CaptionAt(0), "hotkey 2");

    list_.Add(3, "hotkey 3");
    EXPECT_EQ(list_.Ids(), (std::vector<std::int32_t>{2, 4, 5, 6, 3}));
    EXPECT_EQ(CaptionAt(4), "hotkey 3");
    EXPECT_EQ(GetMenuItemCount(menu_), 5);
}

TEST_F(RecentHotkeysTest, EachItemsCommandLeadsBackToItsHotkey) {
    list_.Add(40, "forty");
    list_.Add(7, "seven");
    list_.Add(40, "forty again");
    ASSERT_EQ(list_.Ids(), (std::vector<std::int32_t>{7, 40}));
    EXPECT_EQ(list_.HotkeyFor(CommandAt(0)), 7);
    EXPECT_EQ(list_.HotkeyFor(CommandAt(1)), 40);
    EXPECT_NE(CommandAt(0), CommandAt(1));

    // A command of the range that no item carries, or one outside it, is nothing.
    EXPECT_FALSE(list_.HotkeyFor(kFirst + 63).has_value());
    EXPECT_FALSE(list_.HotkeyFor(kFirst - 1).has_value());
    EXPECT_FALSE(list_.Owns(kFirst + RecentHotkeys::kCommandRange));
}

TEST_F(RecentHotkeysTest, CommandsStayDistinctOverManyExecutions) {
    for (int round = 0; round < 300; ++round) list_.Add(round % 9 + 1, "x");
    std::vector<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(menu_); ++i) commands.push_back(CommandAt(i));
    ASSERT_EQ(commands.size(), 5u);
    for (std::size_t i = 0; i < commands.size(); ++i) {
        EXPECT_TRUE(list_.Owns(commands[i]));
        for (std::size_t j = i + 1; j < commands.size(); ++j) EXPECT_NE(commands[i], commands[j]);
        EXPECT_EQ(list_.HotkeyFor(commands[i]), list_.Ids()[i]);
    }
}

TEST_F(RecentHotkeysTest, LongDescriptionsAreCutAndNegativeIdsKept) {
    list_.Add(-5, std::string(400, 'd'));
    EXPECT_EQ(CaptionAt(0), std::string(255, 'd'));
    EXPECT_EQ(list_.Ids(), (std::vector<std::int32_t>{-5}));
}

TEST(RecentHotkeysWithoutMenu, DoesNothing) {
    RecentHotkeys list(nullptr, kFirst);
    list.Add(1, "one");
    EXPECT_TRUE(list.Ids().empty());
    EXPECT_FALSE(list.HotkeyFor(kFirst).has_value());
}

TEST(FunctionPromptsTest, AsksOnePromptPerSlotForEveryMatchingLine) {
    const std::vector<std::string> lines = {
        "11;1;0;0", "12;5;whatever;2;1:a;3:b", "", "13;2;0;1;0:x", "12; 7 ;0;0",
    };
    const auto prompts = PromptsForFunction(lines, 12);
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0].captionText, 345);
    EXPECT_EQ(prompts[0].promptTexts, (std::vector<int>{462, 464}));
    EXPECT_EQ(prompts[1].captionText, 347);
    EXPECT_TRUE(prompts[1].promptTexts.empty());

    EXPECT_TRUE(PromptsForFunction(lines, 99).empty());
    EXPECT_EQ(JoinAnswers({"first", "second"}), "first;second;");
    EXPECT_EQ(JoinAnswers({"", ""}), ";;");
}

TEST(FunctionPromptsTest, MalformedLinesAskSensibly) {
    // Missing slots ask the default question; counts are bounded; bad numbers read 0.
    auto p = PromptsForFunction({"20;x;0;3;5:a"}, 20);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].captionText, 340);
    EXPECT_EQ(p[0].promptTexts, (std::vector<int>{466, 461, 461}));

    p = PromptsForFunction({"21;1;0;1000000"}, 21);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].promptTexts.size(), static_cast<std::size_t>(kMaxPrompts));

    p = PromptsForFunction({"22;1;0;-3;1:a"}, 22);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_TRUE(p[0].promptTexts.empty());

    // Only the first 255 characters of a line count.
    const std::string longLine = "23;1;0;2;1:a;" + std::string(250, ' ') + "4:b";
    p = PromptsForFunction({longLine}, 23);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].promptTexts, (std::vector<int>{462, 461}));
}
