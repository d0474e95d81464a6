// The parsers of outside input under the sanitizers: every harness over every
// file of its corpus (seeds and the crashes found, kept as regressions), and
// cases of the parsers that the Wine tests cannot reach as cheaply.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "char_substitution.h"
#include "model/language_text.h"
#include "text_lines.h"
#include "harness.h"
#include "macro/event_language.h"
#include "macro/typing_engine.h"
#include "stored_text.h"
#include "translator_names.h"

using namespace kl;
using namespace kl::support;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(Corpus, EveryHarnessRunsItsWholeCorpusClean) {
    std::set<std::string> names;
    for (const fuzz::HarnessEntry* h = fuzz::Harnesses(); h; h = h->next) {
        names.insert(h->name);
        const fs::path dir = fs::path(KL_CORPUS_DIR) / h->name;
        ASSERT_TRUE(fs::is_directory(dir)) << "no corpus for " << h->name;
        int files = 0;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (!entry.is_regular_file()) continue;
            SCOPED_TRACE(entry.path().string());
            h->run(ReadFile(entry.path()));
            ++files;
        }
        EXPECT_GT(files, 0) << h->name;
        h->run("");
    }
    EXPECT_EQ(names, (std::set<std::string>{"catalogue", "event_language", "exchange_file", "hotkey_index", "key_names",
                                            "language", "macro_file", "params", "program_filter", "stored_text",
                                            "typing"}));
}

TEST(StoredText, NumbersFunctionValuesAndIndexLists) {
    EXPECT_EQ(ParseNumber("+12"), 12);
    EXPECT_EQ(ParseNumber("+-1"), 0);
    EXPECT_EQ(ParseNumber("2147483648"), 0);
    EXPECT_EQ(ParseNumber("-2147483648"), -2147483647 - 1);
    const auto value = DecodeFunctionValue(ScrambleFunction("160;a;b"));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->functionId, 160);
    EXPECT_EQ(value->parameters, "a;b");
    EXPECT_FALSE(DecodeFunctionValue(ScrambleFunction("160")));
    EXPECT_FALSE(DecodeFunctionValue("!!"));
    std::vector<std::string> pieces;
    ForEachIndexPiece("7;;9;", [&](std::string_view p) { pieces.emplace_back(p); return true; });
    EXPECT_EQ(pieces, (std::vector<std::string>{"7", "9"}));
}

TEST(LanguageText, MarkerReplacedBeforeTheCut) {
    const std::vector<std::string> lines = {std::string(250, 'x') + "<PROGNAME>", "a<b", "plain"};
    const auto path = [] { return std::string("C:\\k.exe"); };
    EXPECT_EQ(LanguageLine(lines, 0, path), std::string(250, 'x') + "C:\\k.");
    EXPECT_EQ(LanguageLine(lines, 1, path), "a<b");
    EXPECT_EQ(LanguageLine(lines, 3, path), "");
    EXPECT_EQ(LanguageLine(lines, -1, path), "");
    EXPECT_EQ(SplitTextLines("a\r\nb\rc\n\nd"), (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

TEST(Translators, FullBufferNeverLeavesAKeyHeld) {
    std::vector<MacroEvent> events(kMacroEventCapacity);
    MacroWriter out(events, 0);
    // Shift and Ctrl pressed, then more clicks than the buffer holds.
    CompileEvents("SHIFT CTRL LD LC:5000", out, fuzz::TestKeyNames());
    ASSERT_TRUE(out.cut());
    EXPECT_EQ(events[static_cast<std::size_t>(out.count() - 1)].Message, kMsgKeyUp);

    std::vector<MacroEvent> typed(kMacroEventCapacity);
    MacroWriter typing(typed, 0);
    TypingServices services{fuzz::TestKeyNames(), nullptr, nullptr};
    EXPECT_TRUE(TranslateTyping("Ab", typing, services));
    ASSERT_EQ(typing.count(), 6);
    EXPECT_EQ(typed[0].ParamL, static_cast<std::uint32_t>(kVkShift));
    EXPECT_EQ(typed[3].Message, kMsgKeyUp);
    EXPECT_EQ(typed[4].ParamL, static_cast<std::uint32_t>('B'));
}
