#include "system/app_paths.h"

#include <algorithm>

#include "model/text_fields.h"
#include "win_handles.h"

namespace kl {
namespace {

// The 64-bit view on 64-bit Windows also for the x86 build: that is the key the shell reads.
constexpr REGSAM kView = KEY_WOW64_64KEY;

LONG OpenInRegistry(AliasScope scope, const std::string& subkey, REGSAM access, bool create, HKEY* key) {
    const HKEY root = scope == AliasScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const std::string path = std::string(kAppPathsKey) + subkey;
    if (create)
        return RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access | kView, nullptr, key, nullptr);
    return RegOpenKeyExA(root, path.c_str(), 0, access | kView, key);
}

AppPathsOpener g_opener = OpenInRegistry;

std::string Trimmed(std::string_view text) { return std::string(Trim(text)); }

bool IsRefusal(LONG error) { return error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD; }

std::vector<std::string> SubkeyNames(AliasScope scope) {
    std::vector<std::string> names;
    HKEY raw = nullptr;
    if (g_opener(scope, "", KEY_READ, false, &raw) != ERROR_SUCCESS) return names;
    const RegKey key = RegKey::Adopt(raw);
    char name[kMaxAliasName + 1];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        const LONG r = RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_MORE_DATA) continue;
        if (r != ERROR_SUCCESS) break;
        std::string trimmed = Trimmed(std::string_view(name, length));
        if (!trimmed.empty()) names.push_back(std::move(trimmed));
    }
    return names;
}

// The default value of one key's alias subkey; nothing when missing or not a text.
bool ReadPath(AliasScope scope, const std::string& subkey, std::string& out) {
    HKEY raw = nullptr;
    if (g_opener(scope, subkey, KEY_QUERY_VALUE, false, &raw) != ERROR_SUCCESS) return false;
    const RegKey key = RegKey::Adopt(raw);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > 65536) return false;
    std::string data(size + 1, '\0');
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    data.resize(std::min<std::size_t>(size, data.size()));
    out = data.substr(0, data.find('\0'));
    return true;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Programs keep their own subkeys below an alias ("SupportedProtocols" and the like).
constexpr int kMaxTreeDepth = 32;

// Deletes `path` below one key with everything under it. Its values, the program's path
// among them, go only with the key itself: a removal that fails leaves the alias working.
LONG DeleteTree(AliasScope scope, const std::string& path, int depth) {
    HKEY raw = nullptr;
    LONG r = g_opener(scope, path, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, false, &raw);
    if (r != ERROR_SUCCESS) return r;
    {
        const RegKey key = RegKey::Adopt(raw);
        char name[kMaxAliasName + 1];
        // Always the first subkey: each one is gone before the next is read.
        for (;;) {
            DWORD length = sizeof name;
            r = RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (r == ERROR_NO_MORE_ITEMS) break;
            if (r != ERROR_SUCCESS) return r;
            if (depth >= kMaxTreeDepth) return ERROR_CANTWRITE;
            r = DeleteTree(scope, path + "\\" + std::string(name, length), depth + 1);
            if (r != ERROR_SUCCESS) return r;
        }
    }
    const std::size_t cut = path.rfind('\\');
    const std::string parentPath = cut == std::string::npos ? std::string() : path.substr(0, cut);
    const std::string leaf = cut == std::string::npos ? path : path.substr(cut + 1);
    HKEY parent = nullptr;
    r = g_opener(scope, parentPath, KEY_QUERY_VALUE, false, &parent);
    if (r != ERROR_SUCCESS) return r;
    const RegKey owner = RegKey::Adopt(parent);
    return RegDeleteKeyExA(owner.get(), leaf.c_str(), kView, 0);
}

std::string SystemErrorText(LONG error) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = n && text ? Trimmed(std::string_view(text, n)) : std::string();
    if (text) LocalFree(text);
    if (!out.empty() && out.back() == '.') out.pop_back();
    return out.empty() ? "error " + std::to_string(error) : out + " (error " + std::to_string(error) + ")";
}

}  // namespace

void SetAppPathsOpener(AppPathsOpener opener) { g_opener = opener ? opener : OpenInRegistry; }

AliasNameProblem CheckAliasName(std::string_view name) {
    const std::string trimmed = Trimmed(name);
    if (trimmed.empty()) return AliasNameProblem::Empty;
    if (trimmed.find('\\') != std::string::npos) return AliasNameProblem::Backslash;
    if (AliasKeyName(trimmed).size() > kMaxAliasName) return AliasNameProblem::TooLong;
    return AliasNameProblem::None;
}

std::string AliasNameMessage(AliasNameProblem problem) {
    switch (problem) {
    case AliasNameProblem::Empty: return "Please enter a name for the alias.";
    case AliasNameProblem::Backslash: return "An alias name cannot contain a backslash (\\).";
    case AliasNameProblem::TooLong:
        return "The alias name is too long: at most " + std::to_string(kMaxAliasName) +
               " characters, its extension included.";
    case AliasNameProblem::None: break;
    }
    return {};
}

std::string AliasKeyName(std::string_view name) {
    std::string key = Trimmed(name);
    if (!key.empty() && key.find('.') == std::string::npos) key += ".exe";
    return key;
}

std::vector<std::string> ListAliases() {
    std::vector<std::string> names = SubkeyNames(AliasScope::Machine);
    for (std::string& name : SubkeyNames(AliasScope::User)) names.push_back(std::move(name));
    SortNoCase(names);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b) == 0; }),
                names.end());
    return names;
}

std::string AliasPath(std::string_view name) {
    const std::string subkey = Trimmed(name);
    if (subkey.empty()) return {};
    std::string path;
    if (ReadPath(AliasScope::User, subkey, path) || ReadPath(AliasScope::Machine, subkey, path)) return path;
    return {};
}

bool AliasIsValid(std::string_view name) {
    const std::string path = Trimmed(AliasPath(name));
    if (path.empty()) return false;
    if (FileExists(path)) return true;
    return path.find('%') != std::string::npos && FileExists(ExpandEnvironmentText(path));
}

bool AliasIsPerUser(std::string_view name) {
    if (CheckAliasName(name) != AliasNameProblem::None) return false;
    HKEY raw = nullptr;
    if (g_opener(AliasScope::User, AliasKeyName(name), KEY_QUERY_VALUE, false, &raw) != ERROR_SUCCESS) return false;
    const RegKey key = RegKey::Adopt(raw);  // closed again at once
    return true;
}

AliasWrite WriteAlias(AliasScope scope, std::string_view name, std::string_view program) {
    if (CheckAliasName(name) != AliasNameProblem::None) return AliasWrite::BadName;
    HKEY raw = nullptr;
    const LONG r = g_opener(scope, AliasKeyName(name), KEY_SET_VALUE, true, &raw);
    if (r != ERROR_SUCCESS) return IsRefusal(r) ? AliasWrite::Refused : AliasWrite::Failed;
    const RegKey key = RegKey::Adopt(raw);
    const std::string value(program);
    const LONG w = RegSetValueExA(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1));
    if (w != ERROR_SUCCESS) return IsRefusal(w) ? AliasWrite::Refused : AliasWrite::Failed;
    return AliasWrite::Written;
}

AliasWrite DeleteAlias(std::string_view name, AliasFailure* failure) {
    const std::string subkey = Trimmed(name);
    if (subkey.empty() || subkey.find('\\') != std::string::npos) return AliasWrite::BadName;
    AliasWrite result = AliasWrite::Written;
    for (const AliasScope scope : {AliasScope::User, AliasScope::Machine}) {
        const LONG r = DeleteTree(scope, subkey, 0);
        if (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND || result != AliasWrite::Written) continue;
        result = IsRefusal(r) ? AliasWrite::Refused : AliasWrite::Failed;
        if (failure) *failure = AliasFailure{scope, r};
    }
    return result;
}

std::string AliasDeleteMessage(std::string_view name, const AliasFailure& failure) {
    const std::string alias = Trimmed(name);
    const bool machine = failure.scope == AliasScope::Machine;
    if (IsRefusal(failure.error))
        return "Windows did not allow the alias " + alias + " to be removed: " +
               (machine ? "it is registered for all users" : "its registration for your user account is protected") +
               ", which needs administrator rights.";
    return "The alias " + alias + " could not be removed from the registrations " +
           (machine ? "for all users" : "of your user account") + ": " + SystemErrorText(failure.error) + ".";
}

std::string ExpandEnvironmentText(const std::string& text) {
    char expanded[4096] = {};
    const DWORD n = ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof expanded);
    if (n == 0 || n > sizeof expanded) return text;
    return expanded;
}

}  // namespace kl
