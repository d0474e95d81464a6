#include "macro/typing_engine.h"

#include <vector>

#include "macro/keyboard_layout.h"
#include "params.h"

namespace kl::support {
namespace {

constexpr std::size_t kTextMax = 255;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t FindFrom(const std::string& text, std::string_view token, std::size_t from, bool matchCase) {
    if (matchCase) return text.find(token, from);
    for (std::size_t i = from; i + token.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < token.size() && Lower(text[i + k]) == Lower(token[k])) ++k;
        if (k == token.size()) return i;
    }
    return std::string::npos;
}

// Replaces every occurrence; `next` gives the replacement of each in turn.
void ReplaceToken(std::string& text, std::string_view token, const std::function<std::string()>& next) {
    const bool matchCase = text.find(token) != std::string::npos;
    std::size_t pos = FindFrom(text, token, 0, matchCase);
    while (pos != std::string::npos) {
        const std::string with = next();
        text.replace(pos, token.size(), with);
        if (text.size() > kTextMax) text.resize(kTextMax);
        pos = FindFrom(text, token, pos + with.size(), matchCase);
    }
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

std::vector<std::string_view> SplitPlus(std::string_view s) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto plus = s.find('+');
        parts.push_back(s.substr(0, plus));
        if (plus == std::string_view::npos) return parts;
        s.remove_prefix(plus + 1);
    }
}

struct Pending {
    std::int32_t delay = 0;
    bool marker = false;
    std::uint32_t word() const { return DelayWord(delay, marker); }
    void clear() { delay = 0; marker = false; }
};

bool TypeCombination(std::string_view content, MacroWriter& out, const TypingServices& services, Pending& pending) {
    std::vector<std::int32_t> codes;
    for (std::string_view name : SplitPlus(content)) {
        const std::int32_t code = services.keyName(TrimBlanks(name));
        if (code != 0) codes.push_back(code);
    }
    if (out.room() < static_cast<int>(codes.size() * 2)) return false;
    for (std::int32_t code : codes) {
        out.Key(kMsgKeyDown, code, OemScan(static_cast<std::uint8_t>(code & 0xFF)), pending.word());
        pending.clear();
    }
    for (std::int32_t code : codes) out.Key(kMsgKeyUp, code, OemScan(static_cast<std::uint8_t>(code & 0xFF)), 0);
    return true;
}

bool TypeCode(std::int32_t code, MacroWriter& out, Pending& pending) {
    if (!out.TypeKeyCode(static_cast<std::uint16_t>(code & 0xFFFF), pending.word())) return false;
    pending.clear();
    return true;
}

bool Token(std::string_view content, MacroWriter& out, const TypingServices& services, Pending& pending) {
    if (StartsWith(content, "P:")) {
        pending.delay = ParseParamNumber(TrimBlanks(content.substr(2)));
        pending.marker = false;
        return true;
    }
    if (StartsWith(content, "T:")) {
        pending.delay = ParseParamNumber(TrimBlanks(content.substr(2)));
        pending.marker = true;
        return true;
    }
    if (StartsWith(content, "ID:")) {
        if (services.executeHotkey) services.executeHotkey(ParseParamNumber(TrimBlanks(content.substr(3))));
        return true;
    }
    if (StartsWith(content, "#")) return TypeCode(ParseParamNumber(TrimBlanks(content.substr(1))), out, pending);
    if (content.find('+') != std::string_view::npos) return TypeCombination(content, out, services, pending);
    return TypeCode(services.keyName(content), out, pending);
}

}  // namespace

std::string ExpandTypingTokens(std::string text, const std::function<std::int32_t()>& nextNumber) {
    if (text.size() > kTextMax) text.resize(kTextMax);
    ReplaceToken(text, "<CR>", [] { return std::string("\r"); });
    ReplaceToken(text, "<TAB>", [] { return std::string("\t"); });
    ReplaceToken(text, "<WIN>", [] { return std::string("<#91>"); });
    ReplaceToken(text, "<NEXTNO>", [&] { return std::to_string(nextNumber ? nextNumber() : 0); });
    return text;
}

bool TranslateTyping(std::string_view text, MacroWriter& out, const TypingServices& services) {
    Pending pending;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '<') {
            const std::int16_t code = KeyScanOfChar(c);
            if (!TypeCode(static_cast<std::uint16_t>(code), out, pending)) return false;
            continue;
        }
        const auto close = text.find('>', i + 1);
        if (close == std::string_view::npos) continue;  // a lone "<" is dropped
        const std::string content = UpperTrim(text.substr(i + 1, close - i - 1));
        if (!Token(content, out, services, pending)) return false;
        i = close;
    }
    return true;
}

}  // namespace kl::support
