// The texts both binaries read from the registry, parsed without Win32: the
// registry's number rule and a hotkey's "Function" value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl {

// The whole text as a signed 32-bit decimal number; 0 when it is not one.
std::int32_t ParseNumber(std::string_view text);

// True when the text converts to exactly 1.
inline bool ParseTruth(std::string_view text) { return ParseNumber(text) == 1; }

// A decoded "Function" value: the function ID, ";" and the parameter text.
struct FunctionValue {
    std::int32_t functionId = 0;
    std::string parameters;
};

// The plain form of a stored "Function" value; empty when the value cannot be
// unscrambled or holds no ";".
std::optional<FunctionValue> DecodeFunctionValue(std::string_view stored);

// The stored form of a function ID and its parameter text.
std::string EncodeFunctionValue(std::int32_t functionId, std::string_view parameters);

// Calls `piece` for each non-empty text between the ";" of a list ("7;;9;"
// gives 7 and 9), in order, until it returns false.
template <class Piece>
void ForEachIndexPiece(std::string_view list, Piece&& piece) {
    while (!list.empty()) {
        const auto semi = list.find(';');
        const std::string_view text = list.substr(0, semi);
        list = semi == std::string_view::npos ? std::string_view{} : list.substr(semi + 1);
        if (!text.empty() && !piece(text)) return;
    }
}

}  // namespace kl
