#include "macro/event_language.h"

#include <algorithm>

#include "macro/keyboard_layout.h"
#include "params.h"

namespace kl::support {
namespace {

constexpr std::uint16_t kRelative = 0x8000;
constexpr std::uint16_t kBackward = 0x4000;
constexpr std::uint16_t kDistanceMask = 0x3FFF;

std::uint16_t Clamp(std::int32_t v, std::int32_t high) {
    return static_cast<std::uint16_t>(std::clamp<std::int32_t>(v, 0, high));
}

std::uint32_t Position(std::string_view argument) {
    if (TrimBlanks(argument).empty()) return kCurrentPointer;
    const auto comma = argument.find(',');
    const std::uint16_t x = CoordinateWord(argument.substr(0, comma));
    const std::uint16_t y = comma == std::string_view::npos ? 0 : CoordinateWord(argument.substr(comma + 1));
    return x + 65536u * y;
}

struct Button {
    std::string_view down, up, click;
    std::uint32_t bit, downMessage, upMessage;
};

constexpr Button kButtons[] = {
    {"LD", "LU", "LC", 1, kMsgLeftDown, kMsgLeftUp},
    {"RD", "RU", "RC", 2, kMsgRightDown, kMsgRightUp},
    {"MD", "MU", "MC", 16, kMsgMiddleDown, kMsgMiddleUp},
};

class Compiler {
public:
    Compiler(MacroWriter& out, const KeyNameLookup& keyName) : out_(out), keyName_(keyName) {}

    void Token(std::string_view keyword, std::string_view argument) {
        if (keyword == "P") { delay_ = ParseParamNumber(argument); return; }
        if (keyword == "T") { delay_ = ParseParamNumber(argument); marker_ = true; return; }
        if (keyword == "SHIFT") {
            out_.Key(shift_ ? kMsgKeyUp : kMsgKeyDown, kVkShift, ScanCodeOf(kVkShift), 0);
            shift_ = shift_ ? 0 : 4;
            return;
        }
        if (keyword == "CTRL") {
            ctrl_ = ctrl_ ? 0 : 8;
            out_.Key(ctrl_ ? kMsgKeyDown : kMsgKeyUp, kVkControl, ScanCodeOf(kVkControl), 0);
            return;
        }
        if (keyword == "CNTR") {
            const std::uint32_t x = Clamp(ScreenWidth() / 2, 0x7FFF);
            const std::uint32_t y = Clamp(ScreenHeight() / 2, 0x7FFF);
            out_.Mouse(kMsgMouseMove, x + 65536u * y, held_ + ctrl_ + shift_, mouseDelay());
            return clear();
        }
        if (keyword == "MV") {
            out_.Mouse(kMsgMouseMove, Position(argument), held_ + ctrl_ + shift_, mouseDelay());
            return clear();
        }
        for (const Button& b : kButtons) {
            if (keyword == b.down) {
                held_ |= b.bit;
                out_.Mouse(b.downMessage, kCurrentPointer, shift_ + ctrl_ + b.bit, mouseDelay());
                return clear();
            }
            if (keyword == b.up) {
                held_ &= ~b.bit;
                out_.Mouse(b.upMessage, kCurrentPointer, shift_ + ctrl_, mouseDelay());
                return clear();
            }
            if (keyword == b.click) {
                const std::int32_t n = std::max<std::int32_t>(1, ParseParamNumber(argument));
                for (std::int32_t i = 0; i < n && out_.Fits(2); ++i) {
                    out_.Mouse(b.downMessage, kCurrentPointer, shift_ + ctrl_ + b.bit, mouseDelay());
                    out_.Mouse(b.upMessage, kCurrentPointer, shift_ + ctrl_, 0);
                }
                return clear();
            }
        }
        if (keyword.empty()) return;
        const std::int32_t code = keyName_(keyword);
        if (code == 0) return;
        out_.TypeKeyCode(static_cast<std::uint16_t>(code & 0xFFFF), DelayWord(delay_, marker_));
        clear();
    }

private:
    std::uint32_t mouseDelay() const { return DelayWord(delay_, false); }
    void clear() { delay_ = 0; marker_ = false; }

    MacroWriter& out_;
    const KeyNameLookup& keyName_;
    std::int32_t delay_ = 0;
    bool marker_ = false;
    std::uint32_t shift_ = 0, ctrl_ = 0, held_ = 0;
};

}  // namespace

std::uint16_t CoordinateWord(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const bool backward = text.front() == '-';
        const std::uint16_t n = Clamp(ParseParamNumber(text.substr(1)), kDistanceMask);
        return static_cast<std::uint16_t>(n | kRelative | (backward ? kBackward : 0));
    }
    return Clamp(ParseParamNumber(text), 0x7FFF);
}

void CompileEvents(std::string_view text, MacroWriter& out, const KeyNameLookup& keyName) {
    Compiler compiler(out, keyName);
    text = TrimBlanks(text);
    while (!text.empty() && out.count() < kEventLanguageLimit && !out.full()) {
        const auto blank = text.find(' ');
        const std::string_view token = TrimBlanks(text.substr(0, blank));
        text = blank == std::string_view::npos ? std::string_view() : TrimBlanks(text.substr(blank + 1));
        const auto colon = token.find(':');
        const std::string_view keyword = token.substr(0, colon);
        const std::string_view argument = colon == std::string_view::npos ? std::string_view() : token.substr(colon + 1);
        compiler.Token(keyword, argument);
    }
    // Cut short, the text may not get to release what it pressed.
    if (!text.empty() || out.cut()) out.ReleaseHeld();
}

}  // namespace kl::support
