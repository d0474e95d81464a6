// The texts klsupport reads from the registry, parsed without Win32: numbers,
// the per-key index lists of the Hotkeys key and a hotkey's "Function" value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl::support {

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

// Calls `piece` for each non-empty text between the ";" of an index list
// ("7;;9;" gives 7 and 9), in order, until it returns false.
template <class Piece>
void ForEachIndexPiece(std::string_view list, Piece&& piece) {
    while (!list.empty()) {
        const auto semi = list.find(';');
        const std::string_view text = list.substr(0, semi);
        list = semi == std::string_view::npos ? std::string_view{} : list.substr(semi + 1);
        if (!text.empty() && !piece(text)) return;
    }
}

}  // namespace kl::support
