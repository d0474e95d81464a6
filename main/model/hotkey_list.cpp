#include "model/hotkey_list.h"

#include <algorithm>

#include "model/text_fields.h"

namespace kl {
namespace {

constexpr char kSeparator = ';';
constexpr char kEscape = '\\';
constexpr char kParameterSeparator = '\xFF';

// The text up to the next separator; `rest` moves past it.
std::string_view NextField(std::string_view& rest) {
    const std::size_t at = rest.find(kSeparator);
    const std::string_view field = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
    return field;
}

}  // namespace

std::string JoinHotkeyLine(const HotkeyLine& line) {
    std::string text = std::to_string(line.id) + kSeparator;
    for (const char c : line.description) {
        if (c == kSeparator || c == kEscape) text += kEscape;
        text += c;
    }
    text += kSeparator + std::to_string(line.modifier) + kSeparator + std::to_string(line.key) + kSeparator +
            std::to_string(line.functionId) + kSeparator + line.parameter;
    return text;
}

HotkeyLine SplitHotkeyLine(std::string_view text) {
    HotkeyLine line;
    line.id = ToNumber(NextField(text));
    std::size_t i = 0;
    for (; i < text.size() && text[i] != kSeparator; ++i) {
        if (text[i] == kEscape && i + 1 < text.size()) ++i;
        line.description += text[i];
    }
    text = i < text.size() ? text.substr(i + 1) : std::string_view();
    line.modifier = ToNumber(NextField(text));
    line.key = ToNumber(NextField(text));
    line.functionId = ToNumber(NextField(text));
    line.parameter = std::string(text);
    return line;
}

std::string_view FirstParameter(std::string_view parameter) {
    return parameter.substr(0, parameter.find(kParameterSeparator));
}

void SortHotkeyRows(std::vector<HotkeyRow>& rows, int column) {
    if (column < 0 || column >= HotkeyRow::kColumns || rows.size() < 2) return;
    if (column == 0) {
        std::stable_sort(rows.begin(), rows.end(), [](const HotkeyRow& a, const HotkeyRow& b) { return a.id < b.id; });
        return;
    }
    // std::string compares its characters as unsigned bytes: an ordinal comparison.
    std::stable_sort(rows.begin(), rows.end(), [column](const HotkeyRow& a, const HotkeyRow& b) {
        return a.cells[static_cast<std::size_t>(column)] < b.cells[static_cast<std::size_t>(column)];
    });
}

}  // namespace kl
