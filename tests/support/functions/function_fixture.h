// The block as keyloom.exe creates it, klsupport.dll loaded after it with the
// defaults applied, a clean Keyloom registry key, and ExecuteFunctionEx.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "text255.h"

namespace kl::testing {

class FunctionTest : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    Library lib_{"klsupport.dll"};
    int(WINAPI* execute_)(DWORD, const char*) = lib_.Get<int WINAPI(DWORD, const char*)>("ExecuteFunctionEx");

    void SetUp() override { ASSERT_TRUE(lib_.Get<BOOL WINAPI()>("LoadDefaultSettings")()); }

    SettingsBlock& b() { return map_.block(); }
    std::string Status() { return GetText255(b().StatusText); }

    int Run(DWORD id, const std::string& parameter = {}) {
        if (!execute_) return -1;  // already reported as a missing export
        return execute_(id, parameter.c_str());
    }

    // Fields joined by the 0xFF separator.
    static std::string Fields(std::initializer_list<std::string> fields) {
        std::string out;
        bool first = true;
        for (const auto& f : fields) {
            if (!first) out += '\xFF';
            out += f;
            first = false;
        }
        return out;
    }
};

}  // namespace kl::testing
