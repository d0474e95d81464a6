// The block as keyloom.exe creates it, klsupport.dll loaded after it, the
// dispatcher's exports and a main window that receives the notifications.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "testing/notify_window.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "text255.h"

namespace kl::testing {

using ExecuteFunctionExFn = std::int32_t WINAPI(std::uint32_t, const char*);
using ExecuteFunctionFn = std::int32_t WINAPI(std::uint32_t);

class DispatchTest : public ::testing::Test {
protected:
    DispatchTest() {
        std::memset(&b(), 0, sizeof(SettingsBlock));
        b().KeyloomEnabled = kTrue;
        b().WinKeyEnabled = kTrue;
    }

    CleanRegistry clean_;
    SettingsMap map_;
    Library lib_{"klsupport.dll"};
    ExecuteFunctionExFn* executeEx_ = lib_.Get<ExecuteFunctionExFn>("ExecuteFunctionEx");
    ExecuteFunctionFn* execute_ = lib_.Get<ExecuteFunctionFn>("ExecuteFunction");

    SettingsBlock& b() { return map_.block(); }
    std::string Status() { return GetText255(b().StatusText); }
};

}  // namespace kl::testing
