// Named profiles: further copies of the option values and hotkeys under
// "Software\Corvane\Keyloom\Profiles\<name>\". The default profile is the main key
// itself and is never a subkey.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

inline constexpr std::size_t kMaxProfileName = 16;

// Why a name the user typed cannot name a new profile.
enum class ProfileNameProblem {
    None,
    Empty,          // nothing but spaces
    TooLong,        // more than 16 characters
    BadCharacters,  // "\", "/", control characters, "." or "..", a drive such as "C:"
    Reserved,       // a name that selects the default profile
    Exists,         // a profile of that name exists (names compare without case, as the registry does)
};

// Spaces cut from both ends.
std::string TrimSpaces(std::string_view text);

// Checks a trimmed name against the rules and the current list (default profile first).
ProfileNameProblem CheckProfileName(std::string_view name, const std::vector<std::string>& profiles);
// The message that tells the user why; empty for None.
std::string ProfileNameMessage(ProfileNameProblem problem);

// The default profile's name followed by the stored profiles in the registry's order.
std::vector<std::string> GetProfileList(const std::string& defaultName);

// The name of profile number `number` of the list; "" for 0, negative numbers and
// numbers beyond the list.
std::string IDToProfile(const std::vector<std::string>& profiles, int number);
// The same, but the default profile's name where IDToProfile gives "".
std::string ProfileNameByNumber(const std::vector<std::string>& profiles, int number);

// The main key of a stored profile, ending in a backslash.
std::string ProfileKey(std::string_view name);

// Creates a profile with the option values of a new profile; `dataDir` becomes its
// "DataDir". False when the key could not be written.
bool AddProfile(std::string_view name, std::string_view dataDir);

// Copies the values of one key (not its subkeys) of HKEY_CURRENT_USER, each with its
// own type and bytes, creating the destination. False when the source is shorter than
// 25 characters (it would be outside the program's key) or cannot be opened.
bool CopyProfileKey(std::string_view source, std::string_view destination);

// Copies a profile's options and hotkeys (all its "HotKey<ID>" subkeys) into a new
// stored profile. An empty source names the default profile.
bool CopyProfile(std::string_view source, std::string_view destination);

// Deletes a stored profile with everything below it. False when there was none.
bool RemoveProfile(std::string_view name);

}  // namespace kl
