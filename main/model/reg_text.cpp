#include "model/reg_text.h"

#include <charconv>
#include <vector>

#include "win_handles.h"

namespace kl {

std::optional<std::string> ReadRegText(const char* key, const char* name, DWORD maxBytes) {
    RegKey k = RegKey::Open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE);
    if (!k) return std::nullopt;
    std::vector<char> buf(maxBytes + 1, '\0');
    DWORD type = 0;
    DWORD size = maxBytes;
    if (RegQueryValueExA(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    // The stored bytes need not end in a zero; the extra byte of the buffer always does.
    if (size > maxBytes) size = maxBytes;
    std::string text(buf.data(), size);
    if (const auto z = text.find('\0'); z != std::string::npos) text.resize(z);
    return text;
}

bool WriteRegText(const char* key, const char* name, std::string_view text) {
    RegKey k = RegKey::Create(HKEY_CURRENT_USER, key, KEY_SET_VALUE);
    if (!k) return false;
    const std::string z(text);
    return RegSetValueExA(k.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(z.c_str()),
                          static_cast<DWORD>(z.size() + 1)) == ERROR_SUCCESS;
}

int ParseRegInt(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return 0;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return 0;
    return value;
}

int ReadRegInt(const char* key, const char* name, std::string_view defaultText) {
    const auto text = ReadRegText(key, name);
    return ParseRegInt(text ? std::string_view(*text) : defaultText);
}

void DeleteRegTree(const char* key) {
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

std::string WithTrailingBackslash(std::string dir) {
    if (dir.empty()) return dir;
    const char last = dir.back();
    if (last == '\\' || last == '/') return dir;
    if (dir.size() == 2 && dir[1] == ':') return dir;
    return dir + '\\';
}

}  // namespace kl
