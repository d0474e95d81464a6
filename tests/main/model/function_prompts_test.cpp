// What running a function from the Functions list asks for, read from the
// function's catalogue lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/function_prompts.h"

using namespace kl;

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
    // Each answer is one field of the parameter text.
    EXPECT_EQ(JoinAnswers({"first", "second"}), "first\xFFsecond\xFF");
    EXPECT_EQ(JoinAnswers({"", ""}), "\xFF\xFF");
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
