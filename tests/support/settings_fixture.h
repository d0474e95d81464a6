// A block created as keyloom.exe creates it, klsupport.dll loaded after it,
// and a clean Keyloom registry key.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "text255.h"

namespace kl::testing {

inline constexpr char kBase[] = "Software\\Corvane\\Keyloom\\";
inline constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";

class SettingsTest : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    Library lib_{"klsupport.dll"};
    BOOL(WINAPI* loadDefaults_)() = lib_.Get<BOOL WINAPI()>("LoadDefaultSettings");
    BOOL(WINAPI* load_)() = lib_.Get<BOOL WINAPI()>("LoadSettingsIntoMap");
    BOOL(WINAPI* save_)() = lib_.Get<BOOL WINAPI()>("SaveSettingsFromMap");
    int(WINAPI* error_)(char*, int) = lib_.Get<int WINAPI(char*, int)>("GetSettingsError");

    SettingsBlock& b() { return map_.block(); }

    std::string LastError() {
        char text[64] = {};
        error_(text, sizeof text);
        return text;
    }

    // Hotkey <id> on key code <key> with <modifier>, listed under <list> of value <indexName>.
    static void AddHotkeySubkey(const std::string& hotkeysKey, const std::string& id, int key, int modifier) {
        const std::string sub = hotkeysKey + "HotKey" + id;
        SetString(sub, "Key", std::to_string(key));
        SetString(sub, "modifier", std::to_string(modifier));
    }
};

}  // namespace kl::testing
