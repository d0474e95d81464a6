#include "testing/registry.h"

#include <gtest/gtest.h>

#include "win_handles.h"

namespace kl::testing {

void DeleteKeyloomKey() {
    const LONG rc = RegDeleteTreeA(HKEY_CURRENT_USER, kKeyloomKey);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) ADD_FAILURE() << "RegDeleteTree: " << rc;
    RegDeleteKeyA(HKEY_CURRENT_USER, kKeyloomKey);
}

void CreateKey(const std::string& path) {
    if (!RegKey::Create(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS)) ADD_FAILURE() << "create " << path;
}

void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
    RegKey key = RegKey::Create(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS);
    ASSERT_TRUE(key) << path;
    ASSERT_EQ(RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void SetString(const std::string& path, const char* name, std::string_view value) {
    const std::string text(value);
    SetValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

std::optional<Value> GetValue(const std::string& path, const char* name) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ);
    if (!key) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    Value v;
    v.type = type;
    v.data.resize(size);
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(v.data.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    v.data.resize(size);
    return v;
}

std::optional<std::string> GetText(const std::string& path, const char* name) {
    auto v = GetValue(path, name);
    if (!v || v->type != REG_SZ) return std::nullopt;
    return v->data.substr(0, v->data.find('\0'));
}

std::vector<std::string> ValueNames(const std::string& path) {
    std::vector<std::string> names;
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ);
    if (!key) return names;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD len = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, len);
    }
    return names;
}

}  // namespace kl::testing
