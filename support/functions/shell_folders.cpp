#include "functions/shell_folders.h"

#include <windows.h>

#include <optional>

#include "win_handles.h"

namespace kl::support {

namespace {

constexpr char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUserShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// A text value read whole, up to its first zero; nothing when the value is
// missing or not a text.
std::optional<std::string> ReadText(const char* path, const char* name, DWORD* typeOut) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, path, KEY_READ);
    if (!key) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::string data(size, '\0');
    if (size && RegQueryValueExA(key.get(), name, nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(std::min<std::size_t>(size, data.size()));
    data.resize(data.find('\0') == std::string::npos ? data.size() : data.find('\0'));
    if (typeOut) *typeOut = type;
    return data;
}

std::string Expand(const std::string& text) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (!needed) return text;
    std::string out(needed, '\0');
    const DWORD written = ExpandEnvironmentStringsA(text.c_str(), out.data(), needed);
    if (!written || written > needed) return text;
    out.resize(written - 1);
    return out;
}

}  // namespace

std::string UserShellFolder(const char* name) {
    if (auto folder = ReadText(kShellFolders, name, nullptr); folder && !folder->empty()) return *folder;
    DWORD type = 0;
    if (auto folder = ReadText(kUserShellFolders, name, &type)) return Expand(*folder);
    return {};
}

}  // namespace kl::support
