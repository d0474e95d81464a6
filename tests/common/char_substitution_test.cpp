// The substitution of the "Function" value: reversible for every byte value,
// stored form only over its 64 symbols, foreign or malformed forms rejected.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <set>
#include <string>

#include "char_substitution.h"

using kl::ScrambleFunction;
using kl::UnscrambleFunction;

TEST(CharSubstitution, EveryByteValueRoundTripsAtEveryLength) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    std::set<char> symbols;
    // Every length from 0 to 256 exercises each tail size at many offsets.
    for (std::size_t n = 0; n <= all.size(); ++n) {
        const std::string plain = all.substr(all.size() - n);
        const std::string stored = ScrambleFunction(plain);
        symbols.insert(stored.begin(), stored.end());
        const auto back = UnscrambleFunction(stored);
        ASSERT_TRUE(back.has_value()) << n;
        EXPECT_EQ(*back, plain) << n;
    }
    EXPECT_EQ(symbols.size(), 64u);
    for (char c : symbols) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_');
}

TEST(CharSubstitution, StoredFormHidesTheText) {
    const std::string stored = ScrambleFunction("16;notepad.exe");
    EXPECT_EQ(stored.find("notepad"), std::string::npos);
    EXPECT_EQ(*UnscrambleFunction(stored), "16;notepad.exe");
    EXPECT_EQ(*UnscrambleFunction(""), "");
}

TEST(CharSubstitution, ForeignCharactersMakeTheValueInvalid) {
    const std::string stored = ScrambleFunction("97;");
    for (const char foreign : {';', '=', '+', '/', ' ', '\0', '\xFF', '.'}) {
        std::string bad = stored;
        bad[1] = foreign;
        EXPECT_FALSE(UnscrambleFunction(bad).has_value()) << static_cast<int>(foreign);
    }
    EXPECT_FALSE(UnscrambleFunction("97;").has_value());  // a plain text is not a stored form
}

TEST(CharSubstitution, MalformedLengthsAndTailsAreRejected) {
    const std::string stored = ScrambleFunction("abcd");  // 4 + 2 symbols
    ASSERT_EQ(stored.size(), 6u);
    EXPECT_FALSE(UnscrambleFunction(stored.substr(0, 5)).has_value());  // one dangling symbol
    std::string tail = stored;
    tail.back() = ScrambleFunction("\xFF\xFF\xFF")[3];  // sets bits no byte carries
    EXPECT_FALSE(UnscrambleFunction(tail).has_value());
}

TEST(CharSubstitution, RandomStoredFormsEitherFailOrAreCanonical) {
    std::mt19937 rng(7);
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string stored256 = ScrambleFunction(all);
    const std::set<char> symbolSet(stored256.begin(), stored256.end());
    const std::string symbols(symbolSet.begin(), symbolSet.end());
    ASSERT_EQ(symbols.size(), 64u);
    for (int i = 0; i < 5000; ++i) {
        std::string stored;
        const std::size_t length = rng() % 40;
        for (std::size_t j = 0; j < length; ++j)
            stored += rng() % 50 == 0 ? static_cast<char>(rng() % 256) : symbols[rng() % 64];
        const auto plain = UnscrambleFunction(stored);
        if (plain) {
            ASSERT_EQ(ScrambleFunction(*plain), stored);
        }
    }
}
