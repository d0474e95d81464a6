// Small helpers for values and keys under HKEY_CURRENT_USER, shared by the
// main program's modules (hotkey store, profiles, catalogue, options).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kl::registry {

// Texts pass through these helpers cut to 255 characters unless a caller
// asks for the whole text (index lists and scrambled definitions can be longer).
inline constexpr std::size_t kTextLimit = 255;
inline constexpr std::size_t kWholeText = static_cast<std::size_t>(-1);

// The REG_SZ (or REG_EXPAND_SZ) value `name` of key `path`, up to its first
// zero and at most `limit` characters; `fallback` when the key or value is
// missing or the value holds another type.
std::string ReadText(std::string_view path, std::string_view name, std::string_view fallback,
                     std::size_t limit = kTextLimit);

// Writes `value` (cut to `limit` characters) as REG_SZ with its terminating
// zero, creating the key when it is missing. False when nothing was written.
bool WriteText(std::string_view path, std::string_view name, std::string_view value,
               std::size_t limit = kTextLimit);

// Deletes one value. False when the key or the value is missing.
bool DeleteValue(std::string_view path, std::string_view name);

// Deletes a key together with its values. False when it is missing or still
// has subkeys.
bool DeleteKey(std::string_view path);

enum class Names { Values = 1, Subkeys = 2, Both = 3 };

// The names of the values and/or subkeys of a key (subkeys first), each at
// most 511 characters, in the registry's enumeration order. Empty when the
// key is missing.
std::vector<std::string> ListNames(std::string_view path, Names which);

}  // namespace kl::registry
