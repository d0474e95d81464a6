// Text values of the per-user registry as the program core reads and writes them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace kl {

// A REG_SZ (or REG_EXPAND_SZ) value of HKEY_CURRENT_USER\<key>, at most `maxBytes` bytes
// read; nothing when the key or value is missing or of another type.
std::optional<std::string> ReadRegText(const char* key, const char* name, DWORD maxBytes = 1024);

// Writes a REG_SZ value, creating the key when missing. True on success.
bool WriteRegText(const char* key, const char* name, std::string_view text);

// A decimal number as the registry stores counts and truth values: spaces around it are
// ignored; an empty text or one that is not a whole number reads as 0.
int ParseRegInt(std::string_view text);

// ReadRegText + ParseRegInt with a default text for a missing value.
int ReadRegInt(const char* key, const char* name, std::string_view defaultText);

// Deletes HKEY_CURRENT_USER\<key> with everything below it.
void DeleteRegTree(const char* key);

// Adds a trailing backslash unless the text is empty, already ends in "\" or "/",
// or is a bare drive such as "C:".
std::string WithTrailingBackslash(std::string dir);

}  // namespace kl
