// Stored hotkeys written as keyloom's hotkey store writes them, and the
// lookup and execution exports of klsupport.
#pragma once

#include <string>

#include "char_substitution.h"
#include "dispatch_fixture.h"

namespace kl::testing {

using GetHotkeyFn = BOOL WINAPI(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, char*, char*);
using RegisteredHotkeyExFn = std::int32_t WINAPI(std::uint32_t, std::int32_t);
using ExecuteHotkeyExFn = BOOL WINAPI(std::int32_t, std::int32_t, BOOL);

inline constexpr char kHotkeysKey[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";

// Writes "HotKey<id>" with its values; the function text is stored scrambled.
inline void StoreHotkey(const std::string& hotkeysKey, int id, int key, int modifier, const std::string& function,
                        const std::string& description = "") {
    const std::string sub = hotkeysKey + "HotKey" + std::to_string(id);
    SetString(sub, "Key", std::to_string(key));
    SetString(sub, "modifier", std::to_string(modifier));
    SetString(sub, "Description", description);
    SetString(sub, "Function", ScrambleFunction(function));
}

inline void StoreIndex(const std::string& hotkeysKey, const char* valueName, const std::string& list) {
    SetString(hotkeysKey, valueName, list);
}

class HotkeyTest : public DispatchTest {
protected:
    GetHotkeyFn* getHotkey_ = lib_.Get<GetHotkeyFn>("GetHotkey");
    RegisteredHotkeyExFn* registered_ = lib_.Get<RegisteredHotkeyExFn>("RegisteredHotkeyEx");
    ExecuteHotkeyExFn* executeHotkey_ = lib_.Get<ExecuteHotkeyExFn>("ExecuteHotkeyEx");
};

}  // namespace kl::testing
