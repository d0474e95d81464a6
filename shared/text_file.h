// Reading a whole text file, or its lines, as every data file of the program is read.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kl {

// Reads a whole file (at most 64 MiB) into `contents`; false when it cannot be
// opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

// The lines of the file (SplitTextLines); nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// The error text of a file that cannot be read: Cannot open file "<path>".
std::string CannotOpenFileText(const std::string& path);

}  // namespace kl
