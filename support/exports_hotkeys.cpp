// Exports: GetHotkey, RegisteredHotkeyEx, ExecuteHotkeyEx.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "block_view.h"
#include "export_guard.h"
#include "hotkey_execution.h"
#include "hotkey_lookup.h"

using namespace kl;
using namespace kl::support;

namespace {

// The text fits: ReadStoredHotkey drops texts over 1023 characters.
void CopyOut(char* buffer, const std::string& text) {
    if (!buffer) return;
    const std::size_t n = text.size() < kHotkeyTextMax ? text.size() : kHotkeyTextMax;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

void Store(std::int32_t* out, std::int32_t value) {
    if (out) *out = value;
}

}  // namespace

extern "C" {

// Text buffers, when given, hold at least 1024 bytes.
BOOL WINAPI GetHotkey(std::int32_t id, std::int32_t* modifier, std::int32_t* key, std::int32_t* functionId,
                      char* description, char* parameters) {
    Store(modifier, 0);
    Store(key, 0);
    Store(functionId, 0);
    if (description) description[0] = '\0';
    if (parameters) parameters[0] = '\0';
    return Guarded<BOOL>(FALSE, [&] {
        const SettingsBlock* b = Block();
        if (!b) return FALSE;
        const HotkeyRecord hotkey = ReadStoredHotkey(*b, id);
        Store(modifier, hotkey.modifier);
        Store(key, hotkey.key);
        CopyOut(description, hotkey.description);
        if (!hotkey.runnable) return FALSE;
        Store(functionId, hotkey.functionId);
        CopyOut(parameters, hotkey.parameters);
        return TRUE;
    });
}

std::int32_t WINAPI RegisteredHotkeyEx(std::uint32_t key, std::int32_t modifier) {
    return Guarded<std::int32_t>(0, [&] {
        const SettingsBlock* b = Block();
        return b ? FindRegisteredHotkey(*b, key, modifier) : 0;
    });
}

BOOL WINAPI ExecuteHotkeyEx(std::int32_t key, std::int32_t modifier, BOOL execute) {
    return Guarded<BOOL>(FALSE, [&] {
        return ExecuteHotkeyForKey(key, modifier, (execute & 0xFF) != 0) ? TRUE : FALSE;
    });
}

}  // extern "C"
