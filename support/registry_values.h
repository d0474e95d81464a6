// Reading and writing the registry's option values by the settings rules.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "stored_text.h"

namespace kl::support {

// The largest value the settings read; a longer value counts as unreadable.
inline constexpr DWORD kValueBufferSize = 4096;

struct RegText {
    DWORD type = REG_NONE;
    std::string text;  // up to the first zero; only meaningful for REG_SZ
};

// Reads a value of at most kValueBufferSize bytes. Empty when the value is
// missing, unreadable or longer than the buffer.
std::optional<RegText> ReadValue(HKEY key, const char* name);

// Reads a REG_SZ value; empty when missing, of another type, or overlong.
std::optional<std::string> ReadString(HKEY key, const char* name);

// Writes REG_SZ whose byte count is the text's length (no terminating zero).
bool WriteString(HKEY key, const char* name, std::string_view text);

}  // namespace kl::support
