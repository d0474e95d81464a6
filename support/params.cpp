#include "params.h"

#include <charconv>
#include <cstring>

namespace kl::support {

Params::Params(const char* raw) : null_(raw == nullptr) {
    if (raw) text_.assign(raw, strnlen(raw, kParamMax));
}

Params::Params(std::string_view raw) : text_(raw.substr(0, kParamMax)), null_(false) {}

std::string_view Params::Field(int index) const {
    if (index < 1 || index > kParamFields) return {};
    std::string_view rest = text_;
    for (int i = 1; i < index; ++i) {
        const auto sep = rest.find(kFieldSeparator);
        if (sep == std::string_view::npos) return {};
        rest.remove_prefix(sep + 1);
    }
    return rest.substr(0, rest.find(kFieldSeparator));
}

std::string_view Params::Trimmed(int index) const { return TrimBlanks(Field(index)); }

std::int32_t Params::Number(int index) const { return ParseParamNumber(Field(index)); }

std::int32_t ParseParamNumber(std::string_view t) {
    if (t.empty()) return 0;
    bool negative = false;
    if (t.front() == '-' || t.front() == '+') {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (!t.empty() && t.front() == '$') {
        base = 16;
        t.remove_prefix(1);
    }
    if (t.empty() || t.front() == '-' || t.front() == '+') return 0;
    std::uint32_t magnitude = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), magnitude, base);
    if (ec != std::errc() || end != t.data() + t.size()) return 0;
    if (base == 16) {  // hexadecimal covers the whole 32-bit pattern
        const std::uint32_t v = negative ? 0u - magnitude : magnitude;
        return static_cast<std::int32_t>(v);
    }
    if (negative) return magnitude <= 0x80000000u ? static_cast<std::int32_t>(0u - magnitude) : 0;
    return magnitude <= 0x7FFFFFFFu ? static_cast<std::int32_t>(magnitude) : 0;
}

std::string_view TrimBlanks(std::string_view t) {
    // Blanks are the space and the control characters, as for the usual trim.
    while (!t.empty() && static_cast<unsigned char>(t.front()) <= ' ') t.remove_prefix(1);
    while (!t.empty() && static_cast<unsigned char>(t.back()) <= ' ') t.remove_suffix(1);
    return t;
}

}  // namespace kl::support
