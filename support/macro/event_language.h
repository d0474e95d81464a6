// The event language: blank-separated tokens of key and mouse events
// ("P:500 MV:100,200 LD MV:+10,+0 LU SHIFT A SHIFT").
#pragma once

#include <cstdint>
#include <string_view>

#include "macro/key_names.h"
#include "macro/macro_writer.h"

namespace kl::support {

// Events the compiler writes at most before it stops taking tokens.
inline constexpr int kEventLanguageLimit = 1024;

// A coordinate word: "n" absolute, "+n" forward, "-n" backward.
std::uint16_t CoordinateWord(std::string_view text);

// Compiles the upper-cased, trimmed text. Stops when the buffer is full, even in
// the middle of a click repetition (whole clicks only); a text cut short ends
// with the releases of the keys and buttons it still holds.
void CompileEvents(std::string_view text, MacroWriter& out, const KeyNameLookup& keyName);

}  // namespace kl::support
