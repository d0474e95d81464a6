// Reading a whole text file into its lines, with an error text on failure.
#pragma once

#include <string>
#include <vector>

#include "model/result.h"

namespace kl {

// Reads a whole file into `contents`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

// The lines of the file (ends of line CR LF, LF or CR; a final line end adds
// no empty line). Fails with "Cannot open file ..." when it cannot be read.
Result<std::vector<std::string>> ReadLines(const std::string& path);

}  // namespace kl
