// The typing engine and the event language as functions of their text: the
// events they write, the limits of the buffer, the counter and date patterns.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "macro/counter.h"
#include "macro/date_format.h"
#include "macro/event_language.h"
#include "macro/key_names.h"
#include "macro/typing_engine.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::support;

namespace {

constexpr char kNames[] =
    "17;CTRL\n18;ALT\n46;DEL\n$1B;ESC;escape key\n65 ; A \n13;enter\nnot a line\n";

struct Ev {
    std::uint32_t message;
    std::int32_t vk;
    std::uint32_t delay;
    bool operator==(const Ev&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Ev& e) {
    return os << "{" << e.message << "," << e.vk << "," << std::hex << e.delay << std::dec << "}";
}

class Translate : public ::testing::Test {
protected:
    std::array<MacroEvent, kMacroEventCapacity> buffer_{};
    MacroWriter out_{buffer_, 0x1234};
    std::vector<std::int32_t> hotkeys_;
    std::int32_t counter_ = -1;
    TypingServices services_{
        [](std::string_view name) { return LookupKeyName(name, [](std::string_view u) { return FindKeyName(kNames, u); }); },
        [this](std::int32_t id) { hotkeys_.push_back(id); },
        [this] { return ++counter_; }};

    std::vector<Ev> Type(std::string text) {
        TranslateTyping(ExpandTypingTokens(std::move(text), services_.nextNumber), out_, services_);
        return Events();
    }
    std::vector<Ev> Compile(std::string_view text) {
        CompileEvents(UpperTrim(text), out_, services_.keyName);
        return Events();
    }
    std::vector<Ev> Events() const {
        std::vector<Ev> v;
        for (int i = 0; i < out_.count(); ++i)
            v.push_back({buffer_[i].Message, static_cast<std::int32_t>(buffer_[i].ParamL), buffer_[i].Delay});
        return v;
    }
};

constexpr std::uint32_t D = WM_KEYDOWN, U = WM_KEYUP;

}  // namespace

TEST_F(Translate, ShiftStateOfEachCharacter) {
    EXPECT_EQ(Type("Ab"), (std::vector<Ev>{{D, 16, 0}, {D, 'A', 0}, {U, 'A', 0}, {U, 16, 0}, {D, 'B', 0}, {U, 'B', 0}}));
    EXPECT_EQ(buffer_[1].Window, 0x1234u);
    EXPECT_EQ(buffer_[1].ParamH, OemScan('A') * 65536u + 1u);
    EXPECT_EQ(buffer_[0].ParamH, MapVirtualKeyA(VK_SHIFT, 0) * 65536u + 1u);
}

TEST_F(Translate, KeyCodesCarryShiftStatesButCombinationsPressNone) {
    // 321 = 0x141: Shift and A. 0x641 (Ctrl+Alt) presses no modifier.
    EXPECT_EQ(Type("<#321><#$641>"),
              (std::vector<Ev>{{D, 16, 0}, {D, 'A', 0}, {U, 'A', 0}, {U, 16, 0}, {D, 'A', 0}, {U, 'A', 0}}));
}

TEST_F(Translate, FixedTokensWithAndWithoutCase) {
    EXPECT_EQ(Type("<WIN><cr>"), (std::vector<Ev>{{D, 91, 0}, {U, 91, 0}, {D, 13, 0}, {U, 13, 0}}));
    // "<TAB>" found with case: the lower-case spelling is then left as text
    // and typed as a key name lookup of "TAB" (unknown: key 255).
    out_ = MacroWriter(buffer_, 0);
    EXPECT_EQ(Type("<TAB><tab>"), (std::vector<Ev>{{D, 9, 0}, {U, 9, 0}, {D, 255, 0}, {U, 255, 0}}));
}

TEST_F(Translate, LoneAngleBracketIsDroppedAndUnknownNamesType255) {
    EXPECT_EQ(Type("a<b"), (std::vector<Ev>{{D, 'A', 0}, {U, 'A', 0}, {D, 'B', 0}, {U, 'B', 0}}));
    out_ = MacroWriter(buffer_, 0);
    EXPECT_EQ(Type("<nosuchkey><$1B>< esc >"),
              (std::vector<Ev>{{D, 255, 0}, {U, 255, 0}, {D, 27, 0}, {U, 27, 0}, {D, 27, 0}, {U, 27, 0}}));
}

TEST_F(Translate, DelaysAndTheTimerMarker) {
    EXPECT_EQ(Type("<P:500>x<T:500>x<t:0>x"),
              (std::vector<Ev>{{D, 'X', 500}, {U, 'X', 0}, {D, 'X', 0x40000000 + 500}, {U, 'X', 0}, {D, 'X', 0}, {U, 'X', 0}}));
    // A delay longer than the word's 15 bits is kept to them instead of
    // spilling into the flag bits; a negative one is no delay.
    out_ = MacroWriter(buffer_, 0);
    EXPECT_EQ(Type("<P:100000>x<P:-5>y"), (std::vector<Ev>{{D, 'X', 0x7FFF}, {U, 'X', 0}, {D, 'Y', 0}, {U, 'Y', 0}}));
}

TEST_F(Translate, CombinationPressesInOrderThenReleasesInOrder) {
    EXPECT_EQ(Type("<T:20>< ctrl + alt+del >"),
              (std::vector<Ev>{{D, 17, 0x40000014}, {D, 18, 0}, {D, 46, 0}, {U, 17, 0}, {U, 18, 0}, {U, 46, 0}}));
    out_ = MacroWriter(buffer_, 0);
    EXPECT_EQ(Type("<ctrl+bogus>"), (std::vector<Ev>{{D, 17, 0}, {D, -1, 0}, {U, 17, 0}, {U, -1, 0}}));
}

TEST_F(Translate, HotkeyIdRunsWhileBuildingAndKeepsThePendingDelay) {
    EXPECT_EQ(Type("<P:40><ID:7>x"), (std::vector<Ev>{{D, 'X', 40}, {U, 'X', 0}}));
    EXPECT_EQ(hotkeys_, std::vector<std::int32_t>{7});
}

TEST_F(Translate, NextNumberTwiceTypesConsecutiveNumbers) {
    EXPECT_EQ(ExpandTypingTokens("<NEXTNO>,<NEXTNO>", services_.nextNumber), "0,1");
    EXPECT_EQ(ExpandTypingTokens("<nextno>", services_.nextNumber), "2");
    // Found with case, the other spelling stays text.
    EXPECT_EQ(ExpandTypingTokens("<NEXTNO>-<nextno>", services_.nextNumber), "3-<nextno>");
    // The expanded text stays within 255 characters.
    EXPECT_EQ(ExpandTypingTokens(std::string(254, 'x') + "<CR>", nullptr).size(), 255u);
}

TEST_F(Translate, TypingNeverLeavesAModifierHeldWhenTheBufferFills) {
    std::array<MacroEvent, 7> small{};
    MacroWriter out(small, 0);
    EXPECT_FALSE(TranslateTyping("AAA", out, services_));
    EXPECT_EQ(out.count(), 4);  // one whole shifted A; the next needs four more
}

TEST_F(Translate, EventLanguageMouseAndStates) {
    Compile("MV:100,200 LD mv:+10,+0 LU");
    ASSERT_EQ(out_.count(), 4);
    EXPECT_EQ(buffer_[0].Message, (std::uint32_t)WM_MOUSEMOVE);
    EXPECT_EQ(buffer_[0].ParamL, 100u + 65536u * 200u);
    EXPECT_EQ(buffer_[0].ParamH, 0u);
    EXPECT_EQ(buffer_[1].Message, (std::uint32_t)WM_LBUTTONDOWN);
    EXPECT_EQ(buffer_[1].ParamL, 0x80008000u);
    EXPECT_EQ(buffer_[1].ParamH, 1u);
    EXPECT_EQ(buffer_[2].ParamL, (0x8000u | 10u) + 65536u * 0x8000u);
    EXPECT_EQ(buffer_[2].ParamH, 1u);
    EXPECT_EQ(buffer_[3].Message, (std::uint32_t)WM_LBUTTONUP);
    EXPECT_EQ(buffer_[3].ParamH, 0u);
}

TEST_F(Translate, EventLanguageCoordinates) {
    EXPECT_EQ(CoordinateWord("-5"), 0xC005);
    EXPECT_EQ(CoordinateWord("+0"), 0x8000);
    EXPECT_EQ(CoordinateWord("70000"), 0x7FFF);   // absolute never sets the relative bit
    EXPECT_EQ(CoordinateWord("+20000"), 0xBFFF);  // distance never reaches the sign bit
    Compile("MV MV:7 SHIFT CTRL MV:1,2 RD MC");
    ASSERT_EQ(out_.count(), 8);
    EXPECT_EQ(buffer_[0].ParamL, 0x80008000u);
    EXPECT_EQ(buffer_[1].ParamL, 7u);
    EXPECT_EQ(buffer_[2].Message, D);
    EXPECT_EQ(buffer_[2].ParamL, 16u);
    EXPECT_EQ(buffer_[3].ParamL, 17u);
    EXPECT_EQ(buffer_[4].ParamH, 12u);  // Shift 4 + Ctrl 8
    EXPECT_EQ(buffer_[5].ParamH, 12u + 2u);
    EXPECT_EQ(buffer_[6].Message, (std::uint32_t)WM_MBUTTONDOWN);
    EXPECT_EQ(buffer_[6].ParamH, 12u + 16u);  // a click carries its own button only
    EXPECT_EQ(buffer_[7].ParamH, 12u);
}

TEST_F(Translate, EventLanguageDelaysAndClicks) {
    Compile("p:300 LC:3 T:50 SHIFT a p:x b");
    std::vector<Ev> want{{513, (std::int32_t)0x80008000, 300}, {514, (std::int32_t)0x80008000, 0},
                         {513, (std::int32_t)0x80008000, 300}, {514, (std::int32_t)0x80008000, 0},
                         {513, (std::int32_t)0x80008000, 300}, {514, (std::int32_t)0x80008000, 0},
                         {D, 16, 0}, {D, 'A', 0x40000032}, {U, 'A', 0}, {D, 255, 0}, {U, 255, 0}};
    // "B" is unknown to the names given here (code -1): typed as key 255.
    EXPECT_EQ(Events(), want);
}

TEST_F(Translate, EventLanguageStopsAtTheBufferAndKeepsClicksWhole) {
    Compile("LC:600 LC:600");
    EXPECT_EQ(out_.count(), 1024);
    for (int i = 0; i < 1024; i += 2) {
        ASSERT_EQ(buffer_[i].Message, (std::uint32_t)WM_LBUTTONDOWN);
        ASSERT_EQ(buffer_[i + 1].Message, (std::uint32_t)WM_LBUTTONUP);
    }
    EXPECT_EQ(buffer_[1024].Message, 0u);
    // A token is taken while fewer than 1024 events are written, up to the
    // 1025 the block holds, and nothing after.
    out_ = MacroWriter(buffer_, 0);
    Compile("LC:511 MV A A");
    EXPECT_EQ(out_.count(), 1025);
    EXPECT_EQ(buffer_[1024].Message, U);
}

TEST_F(Translate, EventLanguageCutAtTheBufferReleasesWhatItHolds) {
    // Keys and buttons still down, by key code or button message.
    auto held = [this] {
        std::map<std::uint32_t, bool> down;
        for (int i = 0; i < out_.count(); ++i) {
            const MacroEvent& e = buffer_[i];
            if (e.Message == D || e.Message == U) down[e.ParamL] = e.Message == D;
            for (std::uint32_t button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN})
                if (e.Message == button || e.Message == button + 1) down[button] = e.Message == button;
        }
        std::vector<std::uint32_t> v;
        for (auto [key, isDown] : down)
            if (isDown) v.push_back(key);
        return v;
    };
    // The clicks stop where the closing Ctrl still fits.
    Compile("CTRL LC:600 CTRL");
    ASSERT_EQ(out_.count(), 1024);
    EXPECT_EQ(buffer_[1023].Message, U);
    EXPECT_EQ(buffer_[1023].ParamL, 17u);
    EXPECT_EQ(held(), std::vector<std::uint32_t>{});
    // Cut in the middle: what is still down is released at the end, last pressed first.
    out_ = MacroWriter(buffer_, 0);
    Compile("SHIFT CTRL RD LC:600 MD CTRL");
    ASSERT_LE(out_.count(), 1025);
    EXPECT_EQ(held(), std::vector<std::uint32_t>{});
    EXPECT_EQ(buffer_[out_.count() - 2].Message, (std::uint32_t)WM_RBUTTONUP);
    EXPECT_EQ(buffer_[out_.count() - 1].ParamL, 16u);
    out_ = MacroWriter(buffer_, 0);
    Compile("LC:511 LD A");
    EXPECT_EQ(out_.count(), 1024);
    EXPECT_EQ(buffer_[1023].Message, (std::uint32_t)WM_LBUTTONUP);
    // A text that ends with a key down on purpose is left as written.
    out_ = MacroWriter(buffer_, 0);
    Compile("SHIFT");
    EXPECT_EQ(held(), std::vector<std::uint32_t>{16});
}

TEST(KeyNames, FileFormatAndLookup) {
    auto lookup = [](std::string_view n) { return LookupKeyName(n, [](std::string_view u) { return FindKeyName(kNames, u); }); };
    EXPECT_EQ(lookup(" del "), 46);
    EXPECT_EQ(lookup("Escape"), -1);
    EXPECT_EQ(lookup("esc"), 27);
    EXPECT_EQ(lookup("a"), 65);
    EXPECT_EQ(lookup(""), -1);
    EXPECT_EQ(lookup("$41"), 65);
    EXPECT_EQ(FindKeyName("10;X\r\n11;Y\r\n", "Y"), 11);
    KeyNamesFile missing("C:\\no such folder\\");
    EXPECT_EQ(missing("$1B"), 27);  // never reads the file
    EXPECT_THROW(missing("ESC"), std::runtime_error);
}

TEST(Counter, StartsThenSteps) {
    SettingsBlock block{};
    EXPECT_EQ(NextNumber(block, 5, 3), 5);
    EXPECT_EQ(NextNumber(block, 100, 3), 8);
    EXPECT_EQ(NextNumber(block, 0, -10), -2);
    block.CounterValue = 0x7FFFFFFF;
    EXPECT_EQ(NextNumber(block, 0, 1), static_cast<std::int32_t>(0x80000000u));
}

TEST(DateFormat, Patterns) {
    SYSTEMTIME t{};
    t.wYear = 2024; t.wMonth = 3; t.wDay = 7; t.wDayOfWeek = 4;
    t.wHour = 15; t.wMinute = 4; t.wSecond = 9; t.wMilliseconds = 42;
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh.nn.ss.zzz", t), "2024-03-07 15.04.09.042");
    EXPECT_EQ(FormatDateTime("d.m.yy hmm m", t), "7.3.24 1504 3");
    EXPECT_EQ(FormatDateTime("hh:mm", t).substr(0, 2), "15");
    EXPECT_EQ(FormatDateTime("hh:mm", t).substr(3), "04");
    EXPECT_EQ(FormatDateTime("h am/pm", t), "3 pm");
    EXPECT_EQ(FormatDateTime("h a/p", t), "3 p");
    EXPECT_EQ(FormatDateTime("'dd' \"mm\" x", t), "dd mm x");
    EXPECT_FALSE(FormatDateTime("mmmm dddd", t).empty());
    EXPECT_FALSE(FormatDateTime("c", t).empty());
    EXPECT_EQ(FormatDateTime("'open", t), "open");
}

TEST(KeyNames, ShippedFileNamesTheCombinationKeys) {
    KeyNamesFile shipped(kl::testing::BinDir());
    EXPECT_EQ(shipped("ctrl"), 17);
    EXPECT_EQ(shipped(" Alt "), 18);
    EXPECT_EQ(shipped("DEL"), 46);
    EXPECT_EQ(shipped("enter"), 13);
    EXPECT_EQ(shipped("esc"), 27);
    EXPECT_EQ(shipped("no such key"), -1);
}
