// Program aliases: the system's "App Paths" registrations. An alias is a subkey named
// after the alias with its extension (".exe" when the name has none) whose default
// value is the program's path. The per-machine key is the one every user shares; when
// Windows refuses a write there (no administrator rights), the per-user key, which the
// shell also reads, takes the alias for the current user.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace kl {

inline constexpr char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
// Longest alias name: the registry's limit for one key name.
inline constexpr std::size_t kMaxAliasName = 255;

enum class AliasScope { Machine, User };

// Opens HKEY_LOCAL_MACHINE (Machine) or HKEY_CURRENT_USER (User) + kAppPathsKey +
// `subkey`, creating it when `create` is set; a registry error code. Tests replace it
// to meet a refused per-machine write; null puts the registry itself back.
using AppPathsOpener = LONG (*)(AliasScope scope, const std::string& subkey, REGSAM access, bool create, HKEY* key);
void SetAppPathsOpener(AppPathsOpener opener);

enum class AliasNameProblem { None, Empty, Backslash, TooLong };
// What is wrong with an alias name as typed (trimmed first); None when it may be stored.
AliasNameProblem CheckAliasName(std::string_view name);
std::string AliasNameMessage(AliasNameProblem problem);
// The subkey name of an alias: trimmed, ".exe" appended when it has no extension.
std::string AliasKeyName(std::string_view name);

// The names of all aliases of both keys, trimmed, sorted (case-insensitive), each once.
std::vector<std::string> ListAliases();
// The program path stored for an alias (the user's key first); empty when missing.
std::string AliasPath(std::string_view name);
// True when the alias's path, trimmed, names an existing file, as it stands or with
// its environment variables (between "%" signs) expanded.
bool AliasIsValid(std::string_view name);

// True when the current user's key holds the alias (the shell prefers it to the
// per-machine one).
bool AliasIsPerUser(std::string_view name);

enum class AliasWrite { Written, Refused, Failed, BadName };
// Writes the alias's program path into one key, creating the subkey.
AliasWrite WriteAlias(AliasScope scope, std::string_view name, std::string_view program);
// Where and why a removal failed: the key and the registry's error code.
struct AliasFailure {
    AliasScope scope = AliasScope::User;
    LONG error = ERROR_SUCCESS;
};
// Deletes the alias with its subkeys from both keys; Refused when a key that holds it
// could not be deleted for want of rights, Failed for other errors (the first failure
// then in `failure`), BadName for an empty name. A key that could not be deleted keeps
// its program path.
AliasWrite DeleteAlias(std::string_view name, AliasFailure* failure = nullptr);
// What the user is told about a failed removal: a refusal as needing administrator
// rights, any other error by the system's text for it.
std::string AliasDeleteMessage(std::string_view name, const AliasFailure& failure);

// The text with environment variables expanded (up to 4095 characters); unchanged when
// expansion fails.
std::string ExpandEnvironmentText(const std::string& text);

}  // namespace kl
