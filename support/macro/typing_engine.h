// The typing engine: a text with embedded key tokens becomes key events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "macro/key_names.h"
#include "macro/macro_writer.h"

namespace kl::support {

struct TypingServices {
    KeyNameLookup keyName;
    std::function<void(std::int32_t hotkeyId)> executeHotkey;  // "<ID:n>"
    std::function<std::int32_t()> nextNumber;                   // "<NEXTNO>"
};

// Replaces "<CR>", "<TAB>", "<WIN>" and each "<NEXTNO>" (a new number for each),
// first matching with case and only when that finds nothing without case. The
// text is kept to 255 characters.
std::string ExpandTypingTokens(std::string text, const std::function<std::int32_t()>& nextNumber);

// Translates an already expanded text. Stops at the first character or token
// that no longer fits; returns false then.
bool TranslateTyping(std::string_view text, MacroWriter& out, const TypingServices& services);

}  // namespace kl::support
