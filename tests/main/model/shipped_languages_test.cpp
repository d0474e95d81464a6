// Every language file shipped beside the program against the English one: the same
// lines, the same section markers, no text over 255 characters, and in each text what
// the program or the system reads out of it (the program's path marker, the numbers,
// the file-type filters, one accelerator where English has one).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/language.h"
#include "model/settings_table.h"
#include "testing/support_library.h"

namespace kl {
namespace {

// The raw lines of a file, without their line ends.
std::vector<std::string> RawLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// What a translation must keep: the path marker, every number, every file pattern of a
// filter and the filter's separators, and as many accelerator marks.
std::multiset<std::string> Placeholders(const std::string& text) {
    std::multiset<std::string> kept;
    const std::string lower = Lower(text);
    for (std::size_t at = lower.find("<progname>"); at != std::string::npos; at = lower.find("<progname>", at + 1))
        kept.insert("<progname>");
    for (std::size_t i = 0; i < text.size();) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            std::size_t j = i;
            while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '.')) ++j;
            kept.insert(text.substr(i, j - i));
            i = j;
        } else {
            ++i;
        }
    }
    if (text.find('|') != std::string::npos) {
        std::istringstream parts(text);
        std::string part;
        for (int n = 0; std::getline(parts, part, '|'); ++n)
            if (n % 2 == 1) kept.insert("filter " + part);  // every second part is the pattern
        kept.insert("| x" + std::to_string(std::count(text.begin(), text.end(), '|')));
    }
    kept.insert("& x" + std::to_string(std::count(text.begin(), text.end(), '&')));
    return kept;
}

std::vector<std::string> ShippedLanguages() {
    Language lang;
    lang.SetDataDirectory(testing::BinDir());
    return lang.ListLanguages();
}

TEST(ShippedLanguages, EnglishAndGermanAreInstalled) {
    const auto names = ShippedLanguages();
    std::set<std::string> lower;
    for (const auto& n : names) lower.insert(Lower(n));
    EXPECT_EQ(lower, (std::set<std::string>{"deutsch", "english"}));
}

TEST(ShippedLanguages, EveryFileHasEveryLineOfTheEnglishOneAndKeepsItsPlaceholders) {
    const auto english = RawLines(testing::BinDir() + "english.lan");
    ASSERT_GE(english.size(), 485u);  // the design's lines; newer texts are appended
    for (const std::string& name : ShippedLanguages()) {
        SCOPED_TRACE(name);
        const auto lines = RawLines(testing::BinDir() + name + ".lan");
        ASSERT_EQ(lines.size(), english.size());
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const std::string& text = lines[n];
            EXPECT_FALSE(text.empty()) << "line " << n;
            EXPECT_LE(text.size(), 255u) << "line " << n;
            // Section markers stand where English has them, word for word.
            if (english[n].front() == '<' || (!text.empty() && text.front() == '<'))
                EXPECT_EQ(text, english[n]) << "line " << n;
            else
                EXPECT_EQ(Placeholders(text), Placeholders(english[n])) << "line " << n << ": " << text;
            // The program reads the system's ANSI code page: UTF-8 would show as two signs.
            for (std::size_t i = 0; i + 1 < text.size(); ++i) {
                const auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
                EXPECT_FALSE(a >= 0xC2 && a <= 0xF4 && b >= 0x80 && b <= 0xBF) << "UTF-8 in line " << n << ": " << text;
            }
        }
    }
}

TEST(ShippedLanguages, NamesThatMustDifferDiffer) {
    for (const std::string& name : ShippedLanguages()) {
        SCOPED_TRACE(name);
        Language lang;
        lang.SetDataDirectory(testing::BinDir());
        lang.SetLanguageFile(name);
        ASSERT_EQ(lang.Load(), LanguageStatus::Loaded);
        EXPECT_NE(lang.Text(7), lang.Text(8));
        EXPECT_NE(lang.Text(14), lang.Text(15));
        EXPECT_NE(lang.Text(93), lang.Text(94));
        std::set<std::string> modifiers;
        for (int m = 0; m < 17; ++m) modifiers.insert(lang.Text(246 + m));
        EXPECT_EQ(modifiers.size(), 17u);
        std::set<std::string> settings;
        for (int p = 1; p <= 37; ++p)
            if (!SettingValueName(p).empty()) settings.insert(SettingName(lang, p));
        EXPECT_EQ(settings.size(), 35u);
        for (int n : {4, 5, 6, 17, 33, 55, 59, 60, 67, 68, 69, 107, 238})
            EXPECT_EQ(lang.Text(n).find('&'), std::string::npos) << n;
    }
}

}  // namespace
}  // namespace kl
