// Helpers for the block's length-prefixed 255-character text fields.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "settings_block.h"

namespace kl {

inline constexpr std::size_t kText255Max = 255;

// Stores at most 255 characters; longer texts are cut. No terminator is written.
inline void SetText255(Text255& field, std::string_view text) {
    const std::size_t n = text.size() < kText255Max ? text.size() : kText255Max;
    if (n) std::memcpy(field.chars, text.data(), n);
    field.length = static_cast<std::uint8_t>(n);
}

inline std::string_view Text255View(const Text255& field) {
    // The length byte can never exceed 255, so the view always stays in the field.
    return std::string_view(field.chars, field.length);
}

inline std::string GetText255(const Text255& field) {
    return std::string(Text255View(field));
}

// Copies the text zero-terminated into a caller's buffer of `size` bytes,
// cutting it to fit. Returns the number of characters copied.
inline std::size_t CopyText255(const Text255& field, char* out, std::size_t size) {
    if (!out || size == 0) return 0;
    std::size_t n = field.length;
    if (n > size - 1) n = size - 1;
    if (n) std::memcpy(out, field.chars, n);
    out[n] = '\0';
    return n;
}

}  // namespace kl
