// The macro file, the exchange file and the report's hotkey line, natively under the
// sanitizers: hostile files are refused or skipped item by item, and what is taken
// comes back unchanged.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/exchange_items.h"
#include "model/macro_file.h"
#include "model/report_lines.h"

using namespace kl;

namespace {

const ExchangeOption kOptions[] = {{28, "Language"}, {1, "LoadDuringStartup"}, {16, "MKSpeed"}};

int Letters(unsigned vk, unsigned, char out[2]) {
    if (vk >= 'A' && vk <= 'Z') {
        out[0] = static_cast<char>(vk - 'A' + 'a');
        return 1;
    }
    if (vk == 13 || vk == 9 || vk == 32) {
        out[0] = static_cast<char>(vk);
        return 1;
    }
    return 0;
}

MacroEvent Key(unsigned message, unsigned vk) { return MacroEvent{message, vk, 0, 0, 0}; }

}  // namespace

TEST(IniText, ReadsAsTheProfileServicesDoAndKeepsOtherContentOnWrite) {
    IniText file("; comment\r\n[Other]\r\nkeep = me \r\n\r\n[MACRO]\r\nName=  \"  padded \"  \r\nname=second\r\n");
    EXPECT_EQ(file.Get("macro", "NAME", ""), "  padded ");
    EXPECT_EQ(file.Get("other", "keep", ""), "me");
    EXPECT_FALSE(file.Get("missing", "keep"));
    file.Set("macro", "count", "3");
    file.Set("Other", "keep", "'quoted'");
    file.Set("New", "x", " y ");
    const IniText again(file.Text());
    EXPECT_EQ(again.Get("macro", "count", ""), "3");
    EXPECT_EQ(again.Get("other", "keep", ""), "'quoted'");
    EXPECT_EQ(again.Get("new", "x", ""), " y ");
    EXPECT_EQ(again.Text().substr(0, 11), "; comment\r\n");
}

TEST(MacroFile, EventsComeBackBitForBitIncludingWordsAboveTheSignedRange) {
    MacroFile macro{"Greeting", {{0x100, 65, 0x1E0001, 0x80004000u, 0xFFFFFFFFu}, {0x101, 65, 0xC01E0001u, 16, 0}}};
    IniText file("[other]\r\nx=1\r\n");
    WriteMacroFile(file, macro);
    const std::string text = file.Text();
    EXPECT_NE(text.find("0=256;65;1966081;2147500032;4294967295"), std::string::npos);
    const MacroFileRead read = ReadMacroFile(text);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.macro.name, "Greeting");
    ASSERT_EQ(read.macro.events.size(), 2u);
    EXPECT_EQ(0, std::memcmp(read.macro.events.data(), macro.events.data(), 2 * sizeof(MacroEvent)));
    // Negative numbers are the same 32 bits.
    EXPECT_TRUE(ReadMacroFile("[macro]\ncount=1\n0=-1;0;0;-2147483648;0\n").macro.events.at(0).Delay == 0x80000000u);
}

TEST(MacroFile, HostileFilesAreRefusedWithTheirReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"just text", "not a macro file"},
        {"[macro]\nname=x\n", "not a macro file"},
        {"[macro]\ncount=1026\n", "from 0 to 1025"},
        {"[macro]\ncount=-1\n", "from 0 to 1025"},
        {"[macro]\ncount=99999999999999999999\n", "from 0 to 1025"},
        {"[macro]\ncount=two\n", "from 0 to 1025"},
        {"[macro]\ncount=2\n0=1;2;3;4;5\n", "Event 1 of the macro file is missing"},
        {"[macro]\ncount=1\n0=1;2;3;4\n", "Event 0 of the macro file is damaged"},
        {"[macro]\ncount=1\n0=1;2;3;4;5;6\n", "damaged"},
        {"[macro]\ncount=1\n0=4294967296;2;3;4;5\n", "damaged"},
        {"[macro]\ncount=1\n0=-2147483649;2;3;4;5\n", "damaged"},
        {"[macro]\ncount=1\n0=0x10;2;3;4;5\n", "damaged"},
        {std::string(kIniFileLimit + 1, 'x'), "too large"},
    };
    for (const auto& [contents, reason] : cases) {
        const MacroFileRead read = ReadMacroFile(contents);
        EXPECT_FALSE(read.ok) << contents.substr(0, 60);
        EXPECT_NE(read.problem.find(reason), std::string::npos) << read.problem;
    }
    const MacroFileRead full = ReadMacroFile([] {
        std::string s = "[macro]\ncount=1025\n";
        for (int i = 1024; i >= 0; --i) s += std::to_string(i) + "=1;2;3;4;" + std::to_string(i) + "\n";
        return s;
    }());
    ASSERT_TRUE(full.ok) << full.problem;
    EXPECT_EQ(full.macro.events.back().Window, 1024u);
}

TEST(MacroFile, ConvertWritesTheTypingEnginesTokens) {
    const std::vector<MacroEvent> shiftA = {Key(0x100, 0x10), Key(0x100, 'A'), Key(0x101, 'A'), Key(0x101, 0x10)};
    EXPECT_EQ(MacroText(shiftA, Letters), "<SHIFT+a>");
    const std::vector<MacroEvent> keys = {Key(0x100, 13), Key(0x101, 13), Key(0x101, 116), Key(0x105, 9),
                                          Key(0x200, 1), Key(0x101, 'B')};
    EXPECT_EQ(MacroText(keys, Letters), "<CR><#116><TAB>b");
    std::vector<MacroEvent> many(600, Key(0x101, 116));
    const std::string cut = MacroText(many, Letters);
    EXPECT_LE(cut.size(), 255u);
    EXPECT_EQ(cut.size() % 6, 0u);  // whole tokens only
}

TEST(ExchangeFile, EveryBadItemIsSkippedWithItsReasonAndTheRestImports) {
    const std::string file =
        "[Settings]\nLanguage=2\nMKSpeed=fast\n"
        "[Hotkeys]\nMaxKeyID=9\nabc=1;\n400=1;\n65=1;1;x;2;3;4;5;6;7;\n"
        "[Hotkeys\\HotKey1]\nModifier=2\nKey=65\nDescription=a;b\nFunction=160;x;y\n"
        "[Hotkeys\\HotKey2]\nModifier=2\nKey=65\nFunction=1;\n"
        "[Hotkeys\\HotKey3]\nModifier=16\nKey=65\nFunction=1;\n"
        "[Hotkeys\\HotKey4]\nModifier=1\nKey=255\nFunction=1;\n"
        "[Hotkeys\\HotKey5]\nModifier=1\nKey=66\nFunction=1\n"
        "[Hotkeys\\HotKey6]\nModifier=1\nKey=67\nFunction=280;\n"
        "[Hotkeys\\HotKey7]\nModifier=1\nKey=300\nFunction=12;p\n";
    const ExchangeRead read = ReadExchangeFile(file, kOptions, {});
    EXPECT_FALSE(read.refused);
    const std::vector<std::string> reasons = {"abc: not a key code", "400: not a key code", "listed twice",
                                              "ID x: not a hotkey ID", "Modifier", "\"Key\"", "has no \";\"",
                                              "function ID is unknown", "MKSpeed"};
    std::string all;
    for (const std::string& s : read.skipped) all += s + "\n";
    for (const std::string& r : reasons) EXPECT_NE(all.find(r), std::string::npos) << r << " in\n" << all;
    ASSERT_EQ(read.items.size(), 4u) << all;
    EXPECT_EQ(read.items[0].kind, kExchangeHotkey);
    EXPECT_EQ(read.items[0].hotkey.description, "a;b");
    EXPECT_EQ(read.items[0].hotkey.parameter, "x;y");
    EXPECT_EQ(read.items[1].kind, kExchangeConflict);  // the same combination as the first
    EXPECT_EQ(read.items[2].hotkey.key, 300);
    EXPECT_EQ(read.items[3].optionName, "Language");

    EXPECT_TRUE(ReadExchangeFile("[macro]\ncount=0\n", kOptions, {}).refused);
    const ExchangeRules taken{{}, [](const ExchangeHotkey& h) { return h.key == 300 && h.modifier == 1; }};
    EXPECT_EQ(ReadExchangeFile(file, kOptions, taken).items[2].kind, kExchangeConflict);
}

TEST(ExchangeFile, LongParametersAndSemicolonsSurviveAFileRoundTrip) {
    ExchangeItem item;
    item.kind = kExchangeHotkey;
    item.hotkey = {12, " lead; and \"trail\" ", 6, 300, 160, std::string(250, 'p') + " x\xFF" + "y\xFF", " a.exe ;B.exe", 2};
    ASSERT_EQ(item.hotkey.parameter.size(), 255u);
    ExchangeItem second = item;
    second.hotkey.key = 65;
    ExchangeItem setting{kExchangeSetting, "MKSpeed", 16, "7", {}};
    IniText file;
    const std::vector<ExchangeItem> items = {item, second, setting};
    WriteExchangeItems(file, items);
    EXPECT_EQ(file.Get("Hotkeys", "MaxKeyID", ""), "2");
    EXPECT_EQ(file.Get("Hotkeys", "255", ""), "1;");
    EXPECT_EQ(file.Get("Hotkeys", "65", ""), "2;");
    const ExchangeRead back = ReadExchangeFile(file.Text(), kOptions, {});
    ASSERT_EQ(back.items.size(), 3u);
    EXPECT_TRUE(back.skipped.empty());
    EXPECT_EQ(back.items[1].hotkey.description, item.hotkey.description);  // key 300 comes after 65
    EXPECT_EQ(back.items[1].hotkey.parameter, item.hotkey.parameter);
    EXPECT_EQ(back.items[1].hotkey.programs, item.hotkey.programs);
    EXPECT_EQ(back.items[1].hotkey.programsMode, 2);
    EXPECT_EQ(back.items[1].kind, kExchangeHotkey);  // 65 and 300 are two combinations
    EXPECT_EQ(back.items[2].value, "7");
}

TEST(ReportLine, ReadableParametersInTheReportsFormat) {
    const ReportNames names{[](int n) { return "L" + std::to_string(n); }, [](int f) { return " F" + std::to_string(f) + " "; },
                            [](int k, int m) { return "M" + std::to_string(m) + "+K" + std::to_string(k); },
                            [](int p) { return "profile" + std::to_string(p); }};
    EXPECT_EQ(HotkeyReportLine(65, 2, 160, " Hello ", "text\xFF" "1\xFF", names), "Hello : M2+K65  (F160 text 1) ");
    EXPECT_EQ(HotkeyReportLine(65, 2, 49, "d", "2\xFFx\xFFmore", names), "d : M2+K65  (F49 L9 more) ");
    EXPECT_EQ(HotkeyReportLine(65, 2, 4, "d", "3", names), "d : M2+K65  (F4 profile3) ");
    EXPECT_EQ(HotkeyReportLine(65, 2, 16, "d", "a\xFF" "1", names), "d : M2+K65  (F16 a L266) ");
    EXPECT_EQ(HotkeyReportLine(65, 2, 216, "d", "99999999999", names), "d : M2+K65  (F216) ");
    EXPECT_EQ(HotkeyReportLine(1, 0, 7, "d", "", names), "d : M0+K1  (F7) ");
    EXPECT_EQ(ReportSettingLine("Label", "1"), "Label" + std::string(40, ' ') + ":          1");
    EXPECT_EQ(ReportSettingLine(std::string(50, 'x'), "yes").substr(50, 2), ": ");
    EXPECT_EQ(ReportSettingLine(" ", "1"), "");
}

// Ten thousand random files, built of the pieces both files are made of, through both
// readers: nothing crashes or reads out of bounds (the sanitizers watch), and what is
// taken keeps its limits.
TEST(HostileFiles, TenThousandRandomFilesThroughBothReaders) {
    std::mt19937 random(20261207);
    const std::vector<std::string> pieces = {
        "[macro]", "[Hotkeys]", "[Settings]", "[Hotkeys\\HotKey1]", "[Hotkeys\\HotKey2]", "count=", "name=", "0=", "1=",
        "65=", "255=", "MaxKeyID=", "Key=", "Modifier=", "Function=", "Description=", "Language=", ";", "=", "\r\n", "\n",
        "\r", "1", "2", "-1", "1025", "1026", "4294967295", "99999999999", "\"", "'", " ", "\xFF", "[", "]", "\0", "x"};
    int accepted = 0;
    for (int n = 0; n < 10000; ++n) {
        // A quarter start as a valid macro that the rest may spoil.
        std::string file = n % 4 == 0 ? "[macro]\r\ncount=1\r\n0=256;65;0;0;0\r\n" : "";
        const int count = static_cast<int>(random() % (n % 4 == 0 ? 6 : 120));
        for (int i = 0; i < count; ++i) {
            if (random() % 8 == 0)
                file += static_cast<char>(random() % 256);
            else
                file += pieces[random() % pieces.size()];
        }
        const MacroFileRead macro = ReadMacroFile(file);
        if (macro.ok) {
            ++accepted;
            ASSERT_LE(macro.macro.events.size(), 1025u);
        } else {
            ASSERT_FALSE(macro.problem.empty());
        }
        const ExchangeRead exchange = ReadExchangeFile(file, kOptions, {});
        for (const ExchangeItem& item : exchange.items)
            if (item.kind != kExchangeSetting) ASSERT_TRUE(IsHotkeyKeyCode(item.hotkey.key));
    }
    EXPECT_GT(accepted, 0);
}
