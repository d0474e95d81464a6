#include "functions/registry_tree.h"

#include <vector>

#include "win_handles.h"

namespace kl::support {

namespace {

// Registry key names are at most 255 characters, value names 16383.
constexpr DWORD kMaxKeyName = 256;
constexpr DWORD kMaxValueName = 16384;

std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    std::string name(kMaxKeyName, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD size = kMaxKeyName;
        if (RegEnumKeyExA(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), size);
    }
    return names;
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    std::string name(kMaxValueName, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD size = kMaxValueName;
        if (RegEnumValueA(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), size);
    }
    return names;
}

}  // namespace

bool DeleteKeyTree(HKEY root, const std::string& path) {
    if (path.size() < kMinDeletablePath) return false;
    {
        RegKey key = RegKey::Open(root, path.c_str(), KEY_ALL_ACCESS);
        if (!key) return false;
        // Names are collected first: deleting while enumerating shifts the indexes.
        for (const auto& sub : SubkeyNames(key.get())) DeleteKeyTree(root, path + "\\" + sub);
        for (const auto& value : ValueNames(key.get())) RegDeleteValueA(key.get(), value.c_str());
    }
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace kl::support
