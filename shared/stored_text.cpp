#include "stored_text.h"

#include <charconv>
#include <string>

#include "char_substitution.h"

namespace kl {

std::int32_t ParseNumber(std::string_view text) {
    if (text.empty()) return 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') {  // from_chars takes only '-'
        ++first;
        if (first != last && *first == '-') return 0;
    }
    std::int32_t n = 0;
    auto [end, ec] = std::from_chars(first, last, n, 10);
    if (ec != std::errc() || end != last || first == last) return 0;
    return n;
}

std::optional<FunctionValue> DecodeFunctionValue(std::string_view stored) {
    const auto plain = UnscrambleFunction(stored);
    if (!plain) return std::nullopt;
    const std::size_t separator = plain->find(';');
    if (separator == std::string::npos) return std::nullopt;
    FunctionValue value;
    value.functionId = ParseNumber(std::string_view(*plain).substr(0, separator));
    value.parameters = plain->substr(separator + 1);
    return value;
}

std::string EncodeFunctionValue(std::int32_t functionId, std::string_view parameters) {
    return ScrambleFunction(std::to_string(functionId) + ";" + std::string(parameters));
}

}  // namespace kl
