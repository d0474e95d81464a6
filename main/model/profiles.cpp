#include "model/profiles.h"

#include <windows.h>

#include <vector>

#include "model/reg_text.h"
#include "model/registry_helpers.h"
#include "registry_names.h"
#include "win_handles.h"

namespace kl {
namespace {

constexpr std::size_t kShortestSource = 25;  // "Software\Corvane\Keyloom\"

// The option values a new profile starts with; every other option takes the default
// that klsupport applies to a missing value.
struct NewValue {
    const char* name;
    const char* text;
};
constexpr NewValue kNewProfileValues[] = {
    {"DesktopShortcut", "0"}, {"OnlineHelp", "0"},   {"Language", "1"},       {"Debug", "0"},
    {"LoadDuringStartup", "0"}, {"BookmarksEnabled", "1"}, {"CaptureMenuDblClicks", "0"},
    {"ConfirmHotkeys", "1"},  {"MKEnabled", "0"},    {"MKNumlockON", "0"},    {"MKBorderKeys", "0"},
    {"MKNumpad", "0"},        {"MKCursorKeys", "0"}, {"MKInc", "0"},          {"MKSpeedMod", "4"},
    {"MKSpeed", "4"},         {"MKAcceleration", "4"}, {"WinDefaultsEnabled", "1"}, {"WinD", "1"},
    {"WinE", "1"},            {"WinF", "1"},         {"WinM", "1"},           {"WinR", "1"},
    {"WinKeysTrap", "1"},
};

bool SameNoCase(std::string_view a, std::string_view b) {
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool IsDriveName(std::string_view s) {
    const bool letter = !s.empty() && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
    return letter && s.size() == 2 && s[1] == ':';
}

std::string WithoutTrailingSeparator(std::string_view path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    return std::string(path);
}

bool IsHotkeySubkey(const std::string& name) {
    const std::size_t prefix = sizeof reg::kHotkeySubkeyPrefix - 1;
    if (name.size() <= prefix || !SameNoCase(std::string_view(name).substr(0, prefix), reg::kHotkeySubkeyPrefix))
        return false;
    for (std::size_t i = prefix; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

}  // namespace

std::string TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

ProfileNameProblem CheckProfileName(std::string_view name, const std::vector<std::string>& profiles) {
    if (name.empty()) return ProfileNameProblem::Empty;
    if (name.size() > kMaxProfileName) return ProfileNameProblem::TooLong;
    for (const char c : name)
        if (c == '\\' || c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return ProfileNameProblem::BadCharacters;
    if (name == "." || name == ".." || IsDriveName(name)) return ProfileNameProblem::BadCharacters;
    if (SameNoCase(name, reg::kDefaultProfile) || SameNoCase(name, reg::kStandardProfile) ||
        (!profiles.empty() && SameNoCase(name, profiles.front())))
        return ProfileNameProblem::Reserved;
    for (std::size_t i = 1; i < profiles.size(); ++i)
        if (SameNoCase(name, profiles[i])) return ProfileNameProblem::Exists;
    return ProfileNameProblem::None;
}

std::string ProfileNameMessage(ProfileNameProblem problem) {
    switch (problem) {
    case ProfileNameProblem::None: return {};
    case ProfileNameProblem::Empty: return "Please type a name for the profile.";
    case ProfileNameProblem::TooLong: return "A profile name has at most 16 characters.";
    case ProfileNameProblem::BadCharacters:
        return "A profile name cannot contain \\, / or control characters, and cannot be \".\", \"..\" or a "
               "drive such as C:.";
    case ProfileNameProblem::Reserved: return "That name belongs to the default profile.";
    case ProfileNameProblem::Exists: return "A profile of that name exists already.";
    }
    return {};
}

std::vector<std::string> GetProfileList(const std::string& defaultName) {
    std::vector<std::string> list{defaultName};
    for (auto& name : registry::ListNames(reg::kProfilesKey, registry::Names::Subkeys)) list.push_back(std::move(name));
    return list;
}

std::string IDToProfile(const std::vector<std::string>& profiles, int number) {
    if (number <= 0 || static_cast<std::size_t>(number) >= profiles.size()) return {};
    return profiles[static_cast<std::size_t>(number)];
}

std::string ProfileNameByNumber(const std::vector<std::string>& profiles, int number) {
    if (number <= 0 || static_cast<std::size_t>(number) >= profiles.size())
        return profiles.empty() ? std::string(reg::kDefaultProfile) : profiles.front();
    return profiles[static_cast<std::size_t>(number)];
}

std::string ProfileKey(std::string_view name) { return std::string(reg::kProfilesKey) + std::string(name) + "\\"; }

bool AddProfile(std::string_view name, std::string_view dataDir) {
    const std::string key = ProfileKey(name);
    bool ok = WriteRegText(key.c_str(), reg::kDataDir, dataDir);
    for (const NewValue& v : kNewProfileValues) ok = WriteRegText(key.c_str(), v.name, v.text) && ok;
    return ok;
}

bool CopyProfileKey(std::string_view source, std::string_view destination) {
    if (source.size() < kShortestSource) return false;
    const RegKey from = RegKey::Open(HKEY_CURRENT_USER, WithoutTrailingSeparator(source).c_str(), KEY_READ);
    if (!from) return false;
    DWORD values = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(from.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    if (values == 0) return true;
    const RegKey to = RegKey::Create(HKEY_CURRENT_USER, WithoutTrailingSeparator(destination).c_str(), KEY_SET_VALUE);
    if (!to) return false;
    // Each value keeps its type and its bytes: a binary table stays a table.
    std::vector<char> name(longestName + 2);
    std::vector<BYTE> data(longestData + 1);
    for (DWORD i = 0, retries = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG rc = RegEnumValueA(from.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
        if (rc == ERROR_MORE_DATA && retries++ < 4) {
            // The value grew since the key was measured: make room and read it again.
            name.resize(name.size() * 2);
            data.resize(data.size() * 2 + 1024);
            continue;
        }
        retries = 0;
        if (rc == ERROR_MORE_DATA) {
            ++i;
            continue;
        }
        if (rc != ERROR_SUCCESS) break;
        RegSetValueExA(to.get(), name.data(), 0, type, data.data(), dataLength);
        ++i;
    }
    return true;
}

bool CopyProfile(std::string_view source, std::string_view destination) {
    const std::string from = source.empty() ? std::string(reg::kBaseKey) : ProfileKey(source);
    const std::string to = ProfileKey(destination);
    if (!CopyProfileKey(from, to)) return false;
    // A source without values of its own still gives a profile that exists.
    if (!RegKey::Create(HKEY_CURRENT_USER, WithoutTrailingSeparator(to).c_str(), KEY_READ)) return false;
    const std::string fromHotkeys = from + reg::kHotkeysSubkey;
    const std::string toHotkeys = to + reg::kHotkeysSubkey;
    CopyProfileKey(fromHotkeys, toHotkeys);
    for (const std::string& sub : registry::ListNames(fromHotkeys, registry::Names::Subkeys))
        if (IsHotkeySubkey(sub)) CopyProfileKey(fromHotkeys + sub, toHotkeys + sub);
    return true;
}

bool RemoveProfile(std::string_view name) {
    if (name.empty()) return false;
    const std::string key = WithoutTrailingSeparator(ProfileKey(name));
    if (RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()) != ERROR_SUCCESS) return false;
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());  // where the tree call leaves the key itself
    return true;
}

}  // namespace kl
