// The shipped English language file: its line layout and the texts that the
// program fetches by number.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "model/language.h"
#include "model/settings_table.h"
#include "testing/support_library.h"

namespace kl {
namespace {

class EnglishLanguageTest : public ::testing::Test {
protected:
    Language lang_;

    void SetUp() override {
        lang_.SetDataDirectory(testing::BinDir());
        lang_.SetLanguageFile("english");
        ASSERT_EQ(lang_.Load(), LanguageStatus::Loaded) << testing::BinDir();
    }
};

TEST_F(EnglishLanguageTest, HasTheSectionLayout) {
    // The design's 485 lines, then the texts appended since, none of them empty.
    const int count = static_cast<int>(lang_.LineCount());
    EXPECT_GE(count, 485);
    const std::set<int> markers = {47, 120, 131, 144, 163, 186, 202, 215, 227,
                                   240, 245, 264, 271, 290, 330, 337, 339, 460};
    for (int n = 0; n < count; ++n) {
        const std::string text = lang_.Text(n);
        EXPECT_FALSE(text.empty()) << "line " << n;
        EXPECT_EQ(!text.empty() && text[0] == '<', markers.count(n) == 1) << "line " << n << ": " << text;
    }
    EXPECT_EQ(lang_.Text(count), "");
}

TEST_F(EnglishLanguageTest, ReferencedTextsAreWordedDistinctly) {
    EXPECT_NE(lang_.Text(7), lang_.Text(8));
    EXPECT_NE(lang_.Text(14), lang_.Text(15));
    EXPECT_NE(lang_.Text(93), lang_.Text(94));
    EXPECT_EQ(lang_.Text(238), "(default)");

    // Seventeen distinct modifier names, and a distinct name for every setting.
    std::set<std::string> modifiers;
    for (int m = 0; m < 17; ++m) modifiers.insert(lang_.Text(246 + m));
    EXPECT_EQ(modifiers.size(), 17u);
    std::set<std::string> settings;
    for (int p = 1; p <= 37; ++p)
        if (!SettingValueName(p).empty()) settings.insert(SettingName(lang_, p));
    EXPECT_EQ(settings.size(), 35u);

    // Texts that are shown as window text or message box captions carry no
    // accelerator marks.
    for (int n : {4, 5, 6, 17, 33, 55, 59, 60, 67, 68, 69, 107, 238})
        EXPECT_EQ(lang_.Text(n).find('&'), std::string::npos) << n;
}

TEST_F(EnglishLanguageTest, IsListedAmongTheInstalledLanguages) {
    const auto names = lang_.ListLanguages();
    EXPECT_NE(std::find(names.begin(), names.end(), "english"), names.end());
}

}  // namespace
}  // namespace kl
