// The reversible substitution that protects a hotkey's "Function" value in the
// registry. Every 8-bit text maps to a text over a 64-symbol alphabet: each
// group of three bytes becomes four symbols (six bits each), a final group of
// one or two bytes becomes two or three symbols. No padding is written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl {

namespace substitution_detail {

// The 64 symbols in the order of their six-bit values.
inline constexpr char kAlphabet[] = "QwErTyUiOpAsDfGhJkLzXcVbNm0123456789qWeRtYuIoPaSdFgHjKlZxCvBnM-_";
static_assert(sizeof(kAlphabet) == 65);

// The value of a symbol, or -1 for a character outside the alphabet.
inline constexpr std::array<std::int8_t, 256> kValues = [] {
    std::array<std::int8_t, 256> v{};
    v.fill(-1);
    for (int i = 0; i < 64; ++i) v[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return v;
}();

}  // namespace substitution_detail

// The stored form of a plain text.
inline std::string ScrambleFunction(std::string_view plain) {
    using substitution_detail::kAlphabet;
    std::string out;
    out.reserve((plain.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= plain.size(); i += 3) {
        const std::uint32_t g = static_cast<unsigned char>(plain[i]) << 16 |
                                static_cast<unsigned char>(plain[i + 1]) << 8 |
                                static_cast<unsigned char>(plain[i + 2]);
        out += kAlphabet[g >> 18 & 63];
        out += kAlphabet[g >> 12 & 63];
        out += kAlphabet[g >> 6 & 63];
        out += kAlphabet[g & 63];
    }
    const std::size_t rest = plain.size() - i;
    if (rest == 1) {
        const std::uint32_t g = static_cast<unsigned char>(plain[i]);
        out += kAlphabet[g >> 2];
        out += kAlphabet[(g & 3) << 4];
    } else if (rest == 2) {
        const std::uint32_t g = static_cast<unsigned char>(plain[i]) << 8 | static_cast<unsigned char>(plain[i + 1]);
        out += kAlphabet[g >> 10];
        out += kAlphabet[g >> 4 & 63];
        out += kAlphabet[(g & 15) << 2];
    }
    return out;
}

// The plain text of a stored form; empty when a character lies outside the
// alphabet or the form cannot have been produced by ScrambleFunction.
inline std::optional<std::string> UnscrambleFunction(std::string_view stored) {
    using substitution_detail::kValues;
    if (stored.size() % 4 == 1) return std::nullopt;
    std::string out;
    out.reserve(stored.size() / 4 * 3 + 2);
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : stored) {
        const int v = kValues[static_cast<unsigned char>(c)];
        if (v < 0) return std::nullopt;
        bits = bits << 6 | static_cast<std::uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>(bits >> count & 0xFF);
            bits &= (1u << count) - 1;
        }
    }
    if (bits != 0) return std::nullopt;  // unused low bits of the last symbol must be zero
    return out;
}

}  // namespace kl
