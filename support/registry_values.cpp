#include "registry_values.h"

#include <cstring>
#include <vector>

namespace kl::support {

std::optional<RegText> ReadValue(HKEY key, const char* name) {
    // One byte beyond the value for a terminator the registry may not have stored.
    std::vector<char> buffer(kValueBufferSize + 1, '\0');
    DWORD type = REG_NONE;
    DWORD size = kValueBufferSize;
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (rc != ERROR_SUCCESS || size > kValueBufferSize) return std::nullopt;
    RegText value;
    value.type = type;
    value.text.assign(buffer.data(), strnlen(buffer.data(), size));
    return value;
}

std::optional<std::string> ReadString(HKEY key, const char* name) {
    auto value = ReadValue(key, name);
    if (!value || value->type != REG_SZ) return std::nullopt;
    return std::move(value->text);
}

bool WriteString(HKEY key, const char* name, std::string_view text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

}  // namespace kl::support
