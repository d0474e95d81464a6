#include "hotkey_lookup.h"

#include <optional>
#include <string_view>

#include "key_selection.h"
#include "registry_names.h"
#include "registry_values.h"
#include "text255.h"
#include "win_handles.h"

namespace kl::support {
namespace {

// A REG_SZ value that fits the callers' 1024-byte buffers.
std::optional<std::string> ReadHotkeyText(HKEY key, const char* name) {
    auto text = ReadString(key, name);
    if (!text || text->size() > kHotkeyTextMax) return std::nullopt;
    return text;
}

std::int32_t ReadHotkeyNumber(HKEY key, const char* name) {
    const auto text = ReadHotkeyText(key, name);
    return text ? ParseNumber(*text) : 0;
}

// An ID in an index list: a positive decimal number.
bool IsHotkeyId(std::string_view piece) {
    if (piece.empty() || piece.size() > 10) return false;
    for (const char c : piece)
        if (c < '0' || c > '9') return false;
    return ParseNumber(piece) > 0;
}

}  // namespace

StoredHotkey ReadStoredHotkey(const SettingsBlock& block, std::int32_t id) {
    StoredHotkey hotkey;
    const SettingsKeys keys = SelectKeys(Text255View(block.ProfileName));
    const std::string path = keys.hotkeys + reg::kHotkeySubkeyPrefix + std::to_string(id);
    const RegKey sub = RegKey::Open(HKEY_CURRENT_USER, path.c_str(), KEY_QUERY_VALUE);
    if (!sub) return hotkey;

    hotkey.modifier = ReadHotkeyNumber(sub.get(), reg::kHotkeyModifier);
    hotkey.key = ReadHotkeyNumber(sub.get(), reg::kHotkeyKey);
    if (auto description = ReadHotkeyText(sub.get(), reg::kHotkeyDescription))
        hotkey.description = std::move(*description);

    const auto stored = ReadHotkeyText(sub.get(), reg::kHotkeyFunction);
    if (!stored) return hotkey;
    auto value = DecodeFunctionValue(*stored);
    if (!value) return hotkey;
    hotkey.functionId = value->functionId;
    hotkey.parameters = std::move(value->parameters);
    hotkey.runnable = true;
    return hotkey;
}

std::int32_t FindRegisteredHotkey(const SettingsBlock& block, std::uint32_t key, std::int32_t modifier) {
    const SettingsKeys keys = SelectKeys(Text255View(block.ProfileName));
    const RegKey index = RegKey::Open(HKEY_CURRENT_USER, keys.hotkeys.c_str(), KEY_QUERY_VALUE);
    if (!index) return 0;
    // Scan-code keys (256 and above) are all listed under "255".
    const std::string valueName = key >= 256 ? "255" : std::to_string(key);
    const auto list = ReadHotkeyText(index.get(), valueName.c_str());
    if (!list) return 0;

    std::int32_t found = 0;
    std::string_view rest = *list;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view piece = rest.substr(0, end);
        if (piece.empty()) break;  // the list ends at an empty piece
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!IsHotkeyId(piece)) continue;

        const std::string path = keys.hotkeys + reg::kHotkeySubkeyPrefix + std::string(piece);
        const RegKey sub = RegKey::Open(HKEY_CURRENT_USER, path.c_str(), KEY_QUERY_VALUE);
        if (!sub) continue;
        const auto storedKey = ReadHotkeyText(sub.get(), reg::kHotkeyKey);
        if (!storedKey || static_cast<std::uint32_t>(ParseNumber(*storedKey)) != key) continue;
        const auto storedModifier = ReadHotkeyText(sub.get(), reg::kHotkeyModifier);
        if (!storedModifier || ParseNumber(*storedModifier) != modifier) continue;
        found = ParseNumber(piece);  // a later match replaces an earlier one
    }
    return found;
}

}  // namespace kl::support
