#include "model/registry_helpers.h"

#include <windows.h>

#include "win_handles.h"

namespace kl::registry {

namespace {

constexpr REGSAM kWrite = KEY_WRITE;  // 0x20006
constexpr REGSAM kRead = KEY_READ;    // 0x20019
constexpr DWORD kMaxNameLength = 511;

std::string Str(std::string_view s) { return std::string(s); }

std::string WithoutTrailingSeparators(std::string_view path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    return Str(path);
}

}  // namespace

std::string ReadText(std::string_view path, std::string_view name, std::string_view fallback, std::size_t limit) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, Str(path).c_str(), KEY_QUERY_VALUE);
    if (!key) return Str(fallback);
    const std::string valueName = Str(name);
    // The value may grow between asking for its size and reading it: try again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return Str(fallback);
        if (type != REG_SZ && type != REG_EXPAND_SZ) return Str(fallback);
        std::string buffer(static_cast<std::size_t>(size) + 1, '\0');
        DWORD got = size;
        const LONG rc = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return Str(fallback);
        buffer.resize(got < size ? got : size);
        const std::size_t end = buffer.find('\0');
        if (end != std::string::npos) buffer.resize(end);
        if (buffer.size() > limit) buffer.resize(limit);
        return buffer;
    }
    return Str(fallback);
}

bool WriteText(std::string_view path, std::string_view name, std::string_view value, std::size_t limit) {
    RegKey key = RegKey::Create(HKEY_CURRENT_USER, Str(path).c_str(), kWrite);
    if (!key) return false;
    std::string text = Str(value.substr(0, limit));
    // REG_SZ ends at the first zero; anything after it would be unreadable.
    const std::size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    return RegSetValueExA(key.get(), Str(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteValue(std::string_view path, std::string_view name) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, Str(path).c_str(), kWrite);
    if (!key) return false;
    return RegDeleteValueA(key.get(), Str(name).c_str()) == ERROR_SUCCESS;
}

bool DeleteKey(std::string_view path) {
    const std::string target = WithoutTrailingSeparators(path);
    if (target.empty()) return false;
    return RegDeleteKeyA(HKEY_CURRENT_USER, target.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> ListNames(std::string_view path, Names which) {
    std::vector<std::string> names;
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, Str(path).c_str(), kRead);
    if (!key) return names;
    char buffer[kMaxNameLength + 1];
    const auto wants = [which](Names part) { return (static_cast<int>(which) & static_cast<int>(part)) != 0; };
    if (wants(Names::Subkeys)) {
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof buffer;
            const LONG rc = RegEnumKeyExA(key.get(), i, buffer, &length, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_MORE_DATA) continue;  // a name longer than 511 characters is skipped
            if (rc != ERROR_SUCCESS) break;
            names.emplace_back(buffer, length);
        }
    }
    if (wants(Names::Values)) {
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof buffer;
            const LONG rc = RegEnumValueA(key.get(), i, buffer, &length, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS) break;
            names.emplace_back(buffer, length);
        }
    }
    return names;
}

}  // namespace kl::registry
