#include "model/text_fields.h"

#include <cstdint>

#include "text_lines.h"

namespace kl {

std::string_view Trim(std::string_view text) { return TrimSpaces(text); }

std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t at = line.find(separator);
        if (at == std::string_view::npos) {
            fields.push_back(line);
            return fields;
        }
        fields.push_back(line.substr(0, at));
        line.remove_prefix(at + 1);
    }
}

std::string_view Field(std::string_view line, int n, char separator) {
    if (n < 1) return {};
    for (int i = 1; i < n; ++i) {
        const std::size_t at = line.find(separator);
        if (at == std::string_view::npos) return {};
        line.remove_prefix(at + 1);
    }
    return line.substr(0, line.find(separator));
}

int ToNumber(std::string_view text, int fallback) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return fallback;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return fallback;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return fallback;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return fallback;
    return static_cast<int>(value);
}

int NumberField(std::string_view line, int n, char separator) { return ToNumber(Field(line, n, separator)); }

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace kl
