// Registry helpers for tests: every test starts from a clean Keyloom key.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl::testing {

inline constexpr char kKeyloomKey[] = "Software\\Corvane\\Keyloom";

// Deletes "Software\Corvane\Keyloom" with everything below it.
void DeleteKeyloomKey();

void CreateKey(const std::string& path);
void SetString(const std::string& path, const char* name, std::string_view value);
void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size);

struct Value {
    DWORD type = REG_NONE;
    std::string data;  // raw bytes as stored
};
std::optional<Value> GetValue(const std::string& path, const char* name);
// A REG_SZ value's text up to its first zero; empty when missing or of another type.
std::optional<std::string> GetText(const std::string& path, const char* name);
std::vector<std::string> ValueNames(const std::string& path);

// Deletes the Keyloom key before and after each test.
class CleanRegistry {
public:
    CleanRegistry() { DeleteKeyloomKey(); }
    ~CleanRegistry() { DeleteKeyloomKey(); }
};

}  // namespace kl::testing
