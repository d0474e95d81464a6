// Functions executed through klsupport's ExecuteFunctionEx on a loaded block.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "support/settings_fixture.h"
#include "testing/files.h"
#include "testing/temp_folder.h"

namespace kl::testing {

// Joins parameter fields with the field separator 0xFF.
inline std::string Fields(std::initializer_list<std::string_view> fields) {
    std::string out;
    bool first = true;
    for (auto f : fields) {
        if (!first) out += '\xFF';
        out += f;
        first = false;
    }
    return out;
}

class FunctionTest : public SettingsTest {
protected:
    using ExecuteFn = int WINAPI(unsigned, const char*);
    ExecuteFn* execute_ = lib_.Get<ExecuteFn>("ExecuteFunctionEx");

    void SetUp() override {
        ASSERT_NE(execute_, nullptr);
        ASSERT_TRUE(loadDefaults_());
    }

    int Run(unsigned id, const std::string& param = {}) { return execute_(id, param.c_str()); }
    std::string Status() { return GetText255(b().StatusText); }
};

// Sets an environment variable for the test's lifetime; started programs inherit it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnv() { SetEnvironmentVariableA(name_, nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
};

}  // namespace kl::testing
