#include "hotkey_record.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "hotkey_index.h"
#include "registry_names.h"
#include "stored_text.h"
#include "win_handles.h"

namespace kl {
namespace {

// A REG_SZ value of at most kHotkeyTextMax characters, up to its first zero.
std::optional<std::string> ReadText(HKEY key, const char* name) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    // A stored terminator may be missing, and one more than the longest text is kept.
    if (size > kHotkeyTextMax + 1) return std::nullopt;
    std::vector<char> buffer(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS ||
        type != REG_SZ || got > size)
        return std::nullopt;
    std::string text(buffer.data(), strnlen(buffer.data(), got));
    if (text.size() > kHotkeyTextMax) return std::nullopt;
    return text;
}

std::int32_t ReadNumber(HKEY key, const char* name) {
    const auto text = ReadText(key, name);
    return text ? ParseNumber(*text) : 0;
}

bool WriteText(HKEY key, const char* name, std::string_view text) {
    const std::string value(text);
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::string WithBackslash(std::string_view key) {
    std::string path(key);
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}

}  // namespace

std::string HotkeySubkeyPath(std::string_view hotkeysKey, std::int32_t id) {
    return WithBackslash(hotkeysKey) + reg::kHotkeySubkeyPrefix + std::to_string(id);
}

HotkeyRecord ReadHotkeyCombination(std::string_view hotkeysKey, std::int32_t id) {
    HotkeyRecord record;
    const RegKey sub = RegKey::Open(HKEY_CURRENT_USER, HotkeySubkeyPath(hotkeysKey, id).c_str(), KEY_QUERY_VALUE);
    if (!sub) return record;
    record.exists = true;
    record.modifier = ReadNumber(sub.get(), reg::kHotkeyModifier);
    record.key = ReadNumber(sub.get(), reg::kHotkeyKey);
    return record;
}

HotkeyRecord ReadHotkeyRecord(std::string_view hotkeysKey, std::int32_t id) {
    HotkeyRecord record;
    const RegKey sub = RegKey::Open(HKEY_CURRENT_USER, HotkeySubkeyPath(hotkeysKey, id).c_str(), KEY_QUERY_VALUE);
    if (!sub) return record;
    record.exists = true;
    record.modifier = ReadNumber(sub.get(), reg::kHotkeyModifier);
    record.key = ReadNumber(sub.get(), reg::kHotkeyKey);
    if (auto description = ReadText(sub.get(), reg::kHotkeyDescription)) record.description = std::move(*description);
    const auto stored = ReadText(sub.get(), reg::kHotkeyFunction);
    if (!stored) return record;
    auto value = DecodeFunctionValue(*stored);
    if (!value) return record;
    record.functionId = value->functionId;
    record.parameters = std::move(value->parameters);
    record.runnable = true;
    return record;
}

bool WriteHotkeyRecord(std::string_view hotkeysKey, std::int32_t id, std::int32_t keyCode, std::int32_t modifier,
                       std::string_view description, std::int32_t functionId, std::string_view parameter) {
    const RegKey sub = RegKey::Create(HKEY_CURRENT_USER, HotkeySubkeyPath(hotkeysKey, id).c_str(), KEY_WRITE);
    if (!sub) return false;
    bool written = WriteText(sub.get(), reg::kHotkeyModifier, std::to_string(modifier));
    written &= WriteText(sub.get(), reg::kHotkeyKey, std::to_string(keyCode));
    written &= WriteText(sub.get(), reg::kHotkeyDescription, description.substr(0, kHotkeyWrittenTextMax));
    written &= WriteText(sub.get(), reg::kHotkeyFunction,
                         EncodeFunctionValue(functionId, parameter.substr(0, kHotkeyWrittenTextMax)));
    return written;
}

std::optional<std::string> ReadIndexList(std::string_view hotkeysKey, std::int32_t keyCode) {
    if (keyCode < 0) return std::nullopt;
    const RegKey index = RegKey::Open(HKEY_CURRENT_USER, std::string(hotkeysKey).c_str(), KEY_QUERY_VALUE);
    if (!index) return std::nullopt;
    return ReadText(index.get(), std::to_string(IndexSlot(keyCode)).c_str());
}

std::int32_t FindHotkeyOfKey(std::string_view hotkeysKey, std::uint32_t key, std::int32_t modifier) {
    if (hotkeysKey.empty()) return 0;  // never read keys at the root of HKEY_CURRENT_USER
    const std::int32_t slotKey = key >= 256 ? 255 : static_cast<std::int32_t>(key);
    const auto list = ReadIndexList(hotkeysKey, slotKey);
    if (!list) return 0;
    std::int32_t found = 0;
    ForEachIndexId(*list, [&](std::int32_t id) {
        const RegKey sub = RegKey::Open(HKEY_CURRENT_USER, HotkeySubkeyPath(hotkeysKey, id).c_str(), KEY_QUERY_VALUE);
        if (!sub) return true;
        // Both values must be there: a definition without them is on no key.
        const auto storedKey = ReadText(sub.get(), reg::kHotkeyKey);
        if (!storedKey || static_cast<std::uint32_t>(ParseNumber(*storedKey)) != key) return true;
        const auto storedModifier = ReadText(sub.get(), reg::kHotkeyModifier);
        if (!storedModifier || ParseNumber(*storedModifier) != modifier) return true;
        found = id;  // a later match replaces an earlier one
        return true;
    });
    return found;
}

}  // namespace kl
