// Key names of "keynames.txt": one key a line, "code;name[;...]", the code in
// decimal or hexadecimal with a leading "$"; names compare trimmed, upper-case.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data_files.h"

namespace kl::support {

// Name to key code; -1 for an unknown or empty name. May throw
// std::runtime_error when the names file cannot be read.
using KeyNameLookup = std::function<std::int32_t(std::string_view name)>;

// The key code for a name given the file's lines or its text (no "$" handling).
std::int32_t FindKeyName(const std::vector<std::string>& lines, std::string_view upperName);
std::int32_t FindKeyName(std::string_view fileText, std::string_view upperName);

// Reads "keynames.txt" of the data directory once (DataFileLines, as keyloom.exe
// reads it), on the first name that needs it. "$hex" names and empty names never
// read the file.
class KeyNamesFile {
public:
    explicit KeyNamesFile(std::string dataDir) : file_(std::move(dataDir), kKeyNamesFile) {}
    std::int32_t operator()(std::string_view name);

private:
    DataFileLines file_;
};

// The trimmed, upper-cased name (ASCII letters only; other bytes as they are).
std::string UpperTrim(std::string_view text);

// The common part of every lookup: empty gives -1, "$hex" its number, anything
// else goes to `fromFile` with the trimmed, upper-cased name.
std::int32_t LookupKeyName(std::string_view name, const std::function<std::int32_t(std::string_view)>& fromFile);

}  // namespace kl::support
