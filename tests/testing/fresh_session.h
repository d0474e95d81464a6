// For test programs that need a Wine session in which the shared block does not
// exist yet. Once keyloom.exe has installed its hooks, Wine's desktop process keeps
// klhook.dll, and with it the block, until the wineserver stops; CTest runs these
// programs before any such keyloom.exe, but a second run in the same session finds
// the block and skips them rather than failing on state that is not theirs.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "settings_block.h"

namespace kl::testing {

inline constexpr char kFreshSessionSkipText[] =
    "Skipped: needs a fresh Wine session. The shared block already exists: a keyloom.exe with "
    "hooks ran earlier and Wine's desktop process keeps the block until the wineserver stops.";

class FreshSession : public ::testing::Environment {
public:
    void SetUp() override {
        HANDLE existing = OpenFileMappingA(FILE_MAP_READ, FALSE, kSettingsMapName);
        if (!existing) return;
        CloseHandle(existing);
        // CTest reports the program as skipped on this line (see tests/CMakeLists.txt).
        std::fprintf(stderr, "%s\n", kFreshSessionSkipText);
        GTEST_SKIP() << kFreshSessionSkipText;
    }
};

// Registers the check for the whole test program: one per program, at namespace scope.
#define KL_REQUIRE_FRESH_SESSION()                                              \
    [[maybe_unused]] static ::testing::Environment* const kl_fresh_session_ = \
        ::testing::AddGlobalTestEnvironment(new ::kl::testing::FreshSession)

}  // namespace kl::testing
