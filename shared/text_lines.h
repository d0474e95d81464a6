// Splitting file contents into lines the way a text list reads a file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kl {

// Lines end at CR LF, LF or a lone CR; a final line ending adds no empty line.
std::vector<std::string> SplitTextLines(std::string_view contents);

// Removes leading and trailing spaces and control characters.
std::string_view TrimSpaces(std::string_view text);

}  // namespace kl
